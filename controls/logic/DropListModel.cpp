#include "controls/logic/DropListModel.h"

#include <algorithm>

int DropListModel::AddString(const std::string& text) {
    Items.push_back(DropListItem{text});
    // The first item added to an empty list shows as the selection.
    if (Items.size() == 1 && Selection < 0)
        Selection = 0;
    return GetCount() - 1;
}

int DropListModel::DeleteString(int index) {
    if (!IsValid(index))
        return -1;
    Items.erase(Items.begin() + index);
    if (Selection >= GetCount())
        Selection = GetCount() - 1;
    if (Remembered >= GetCount())
        Remembered = 0;
    return GetCount();
}

void DropListModel::ResetContent() {
    Items.clear();
    Selection = -1;
    Remembered = 0;
}

bool DropListModel::SetItemData(int index, long data) {
    if (!IsValid(index))
        return false;
    Items[static_cast<std::size_t>(index)].Data = data;
    return true;
}

long DropListModel::GetItemData(int index) const {
    return IsValid(index) ? Items[static_cast<std::size_t>(index)].Data : 0;
}

const DropListItem* DropListModel::Item(int index) const {
    return IsValid(index) ? &Items[static_cast<std::size_t>(index)] : nullptr;
}

void DropListModel::SetDisabled(int index, bool disabled) {
    if (IsValid(index))
        Items[static_cast<std::size_t>(index)].Disabled = disabled;
}

bool DropListModel::SetCurSel(int index) {
    if (!IsValid(index))
        return false;
    Selection = index;
    return true;
}

bool DropListModel::Pick(int index) {
    if (!IsValid(index) || Items[static_cast<std::size_t>(index)].Disabled)
        return false;
    Selection = index;
    Remembered = index;
    return true;
}

int DropListModel::FindData(long value) const {
    for (int i = 0; i < GetCount(); ++i)
        if (Items[static_cast<std::size_t>(i)].Data == value)
            return i;
    return -1;
}

int DropListModel::IndexForData(long value) const {
    const int found = FindData(value);
    return found < 0 ? 0 : found;
}

int DropListModel::DropHeight(int itemHeight, int maxHeight) const {
    if (Items.empty())
        return maxHeight;
    return std::min(maxHeight, itemHeight * GetCount());
}
