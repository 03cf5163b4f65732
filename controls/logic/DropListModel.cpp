#include "controls/logic/DropListModel.h"

#include <algorithm>

int DropListModel::AddString(const std::string& text) {
    DropListItem record{text};
    record.Id = static_cast<std::uint8_t>(NextItemId & 0xFF);
    ++NextItemId;
    return AddItem(record);
}

int DropListModel::AddItem(const DropListItem& record) {
    Items.push_back(record);
    // The first item added to an empty list shows as the selection.
    if (Items.size() == 1 && Selection < 0)
        Selection = 0;
    return GetCount() - 1;
}

void DropListModel::EraseAt(int index) {
    Items.erase(Items.begin() + index);
    // As a list box does: the selected entry going leaves no selection; later ones move up.
    if (Selection == index)
        Selection = -1;
    else if (Selection > index)
        --Selection;
}

int DropListModel::DeleteString(int index) {
    if (!IsValid(index))
        return -1;
    const bool chained = Items[static_cast<std::size_t>(index)].Id != 0;
    EraseAt(index);
    while (chained && IsValid(index) && Items[static_cast<std::size_t>(index)].Id == 0)
        EraseAt(index);
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
    Selection = IsValid(index) ? index : -1;
    return Selection >= 0;
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
