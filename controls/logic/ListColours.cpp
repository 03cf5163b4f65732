#include "controls/logic/ListColours.h"

void ListColours::Set(std::vector<Record>& records, int row, int column, COLORREF colour) {
    for (Record& r : records)
        if (r.Row == row && r.Column == column) {
            r.Colour = colour;
            return;
        }
    records.push_back({row, column, colour});
}

const COLORREF* ListColours::Find(const std::vector<Record>& records, int row, int column) {
    for (const Record& r : records)
        if (r.Row == row && r.Column == column)
            return &r.Colour;
    return nullptr;
}

void ListColours::Clear() {
    RowText.clear();
    RowBackground.clear();
    CellText.clear();
    CellBackground.clear();
}

CellColours ListColours::Resolve(int row, int column, bool selected, const CellColours& list,
                                 const CellColours& selection) const {
    if (selected)
        return selection;
    auto pick = [&](const std::vector<Record>& cells, const std::vector<Record>& rows, COLORREF fallback) {
        if (const COLORREF* c = Find(cells, row, column))
            return *c;
        if (const COLORREF* c = Find(rows, row, -1))
            return *c;
        return fallback;
    };
    return {pick(CellText, RowText, list.Text), pick(CellBackground, RowBackground, list.Background)};
}
