#pragma once
// The report list's colour records: text and background per row and per cell. A cell is drawn
// in its own record's colour, else its row's, else the list's; a selected row in the selection's.
#include <vector>

#include "platform/ui/ColourRef.h"

struct CellColours {
    COLORREF Text = 0;
    COLORREF Background = 0;
    bool operator==(const CellColours&) const = default;
};

class ListColours {
public:
    // Setting a row or cell again replaces its record.
    void SetRowText(int row, COLORREF colour) { Set(RowText, row, -1, colour); }
    void SetRowBackground(int row, COLORREF colour) { Set(RowBackground, row, -1, colour); }
    void SetCellText(int row, int column, COLORREF colour) { Set(CellText, row, column, colour); }
    void SetCellBackground(int row, int column, COLORREF colour) { Set(CellBackground, row, column, colour); }
    void Clear();

    CellColours Resolve(int row, int column, bool selected, const CellColours& list,
                        const CellColours& selection) const;

private:
    struct Record {
        int Row, Column;
        COLORREF Colour;
    };
    static void Set(std::vector<Record>& records, int row, int column, COLORREF colour);
    static const COLORREF* Find(const std::vector<Record>& records, int row, int column);

    std::vector<Record> RowText, RowBackground, CellText, CellBackground;
};
