#pragma once
// The items of a drop-down list: text, item data (the value the item stands for), the record's
// chain id, colours and the disabled flag, the selection and the index last picked by the operator.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/ColourRef.h"

struct DropListItem {
    std::string Text;
    long Data = 0;
    // The low byte of the list's running counter when the item was added. A record with Id 0 that
    // follows another belongs to it: deleting the first removes the whole chain.
    std::uint8_t Id = 0;
    COLORREF TextColour = 0xD5D5D5;
    COLORREF SelectedTextColour = 0;
    bool Disabled = false;
};

class DropListModel {
public:
    int AddString(const std::string& text);          // index of the new item
    int AddItem(const DropListItem& record);          // appends the record as given; its index
    // Removes the item and the Id-0 records that follow it (when its own Id is not 0); the
    // remaining count, or -1 for a bad index.
    int DeleteString(int index);
    void ResetContent();                              // items, selection and remembered pick
    int GetCount() const { return static_cast<int>(Items.size()); }
    bool IsValid(int index) const { return index >= 0 && index < GetCount(); }

    bool SetItemData(int index, long data);
    long GetItemData(int index) const;               // 0 for a bad index
    const DropListItem* Item(int index) const;
    void SetDisabled(int index, bool disabled);

    // Selects an item as a list box does: a bad index (-1 included) leaves no selection and
    // returns false.
    bool SetCurSel(int index);
    int GetCurSel() const { return Selection; }
    // The operator picked `index`: false (nothing happens) for a disabled or bad item.
    bool Pick(int index);
    int RememberedIndex() const { return Remembered; }
    void SetRememberedIndex(int index) { Remembered = index; }

    int FindData(long value) const;                   // first index with that data, or -1
    int IndexForData(long value) const;               // that index, or 0 when none has it
    // Height of the pop-up: all items, at most `maxHeight` (the list scrolls beyond).
    int DropHeight(int itemHeight, int maxHeight = 100) const;

private:
    void EraseAt(int index);

    std::vector<DropListItem> Items;
    int Selection = -1;
    int Remembered = 0;
    unsigned NextItemId = 0;   // never reset, so ids keep running across refills
};
