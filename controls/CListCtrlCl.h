#pragma once
// The report list of the skin. It draws its rows itself: each cell in its own colours (cell
// record, else row record, else the list's), the selected row in the selection's colours, text in
// a bold Arial of FontHeight x FontWidth aligned by the column's format, rows RowHeight tall. Its
// header (CHeaderCtrlCl) is drawn by us too. Columns registered as editable (a CMyEdit) or as
// drop-down (a CDropButton) are edited in place; the list posts MListCellEdited (row, column) and
// MListCellComboChanged (item data, row) to its parent.
#include <string>
#include <vector>

#include <wx/vscroll.h>
#include <wx/weakref.h>

#include "controls/logic/KitLayout.h"
#include "controls/logic/KitPalette.h"
#include "controls/logic/ListColours.h"
#include "platform/ui/ColourRef.h"
#include "platform/ui/ControlIds.h"
#include "platform/ui/Messages.h"

class CMyEdit;
class CDropButton;
class CListCtrlCl;

// What a page sets on the list's header: its columns and its look.
struct HeaderSettings {
    std::vector<wxString> Titles;
    std::vector<int> Widths;     // per column; a missing width is DefaultColumnWidth
    std::string Format;          // one character per column: '0' left, '1' centre, '2' right
    int Red = 171, Green = 199, Blue = 235, GradientStep = 8;
    float HeightFactor = 1.0f;
    int FontHeight = 18, FontWidth = 0;
    COLORREF TextColour = 0;

    static constexpr int DefaultColumnWidth = 80;
    ColumnAlign Align(int column) const { return HeaderColumnAlign(Format, column); }
};

// The list's header: each pixel row of the band darkens by GradientStep from the top colour (the
// area right of the last column too), titles in bold, aligned per column by Format.
class CHeaderCtrlCl : public wxControl {
public:
    CHeaderCtrlCl() = default;
    bool Create(wxWindow* parent, const wxRect& rect, CListCtrlCl* list);

    HeaderSettings Look;

private:
    void OnPaint(wxPaintEvent& event);
    CListCtrlCl* List = nullptr;
};

class CListCtrlCl : public wxVScrolledWindow, public ControlIdentity {
public:
    static constexpr int InPlaceEditId = 65535;
    static constexpr int InPlaceListId = 32767;

    CListCtrlCl(wxWindow* parent, int id, const wxRect& rect);
    ~CListCtrlCl() override;

    // Columns and header look from the page's settings.
    void SetHeader(const HeaderSettings& settings);
    int HeaderPixelHeight() const;
    int GetColumnCount() const { return static_cast<int>(Columns.size()); }
    int GetColumnWidth(int column) const;
    ColumnAlign GetColumnAlign(int column) const;

    // Rows: the text of each cell.
    long InsertItem(long row, const wxString& text);
    bool SetItem(long row, int column, const wxString& text);
    wxString GetItemText(long row, int column = 0) const;
    int GetItemCount() const { return static_cast<int>(Rows.size()); }
    bool DeleteItem(long row);
    void DeleteAllItems();

    // Row height in pixels; 0 takes the height of the row font.
    void SetRowHeight(int height);
    int RowPixelHeight() const;
    void SetRowFont(int height, int width = 0);

    void SetRowTextColour(int row, COLORREF colour);
    void SetRowBackgroundColour(int row, COLORREF colour);
    void SetCellTextColour(int row, int column, COLORREF colour);
    void SetCellBackgroundColour(int row, int column, COLORREF colour);
    // The colours a cell is drawn in now.
    CellColours ColoursOf(int row, int column) const;
    void SetEditableColumns(std::vector<int> columns) { EditableColumns = std::move(columns); }
    void SetDropDownColumns(std::vector<int> columns) { DropDownColumns = std::move(columns); }

    // Starts editing a cell as a double click on it does.
    void BeginCellEdit(int row, int column);
    void CommitComboCell(int index);
    CMyEdit* InPlaceEditor() const { return InPlaceEdit; }
    // The row shown selected (SelectedBackground, SelectedText), -1 for none.
    int SelectedRow() const { return Selected; }
    void SelectRow(int row);
    CDropButton* InPlaceDropList() const { return InPlaceList; }
    // A cell's rectangle in the list's client area (empty when the row is scrolled away).
    wxRect CellRect(int row, int column) const;
    // The cell under a client point: false when there is none.
    bool HitCell(const wxPoint& point, int& row, int& column) const;

    // The header is a sibling window; it goes when the list goes, and may go first with the page.
    wxWeakRef<CHeaderCtrlCl> Header;
    COLORREF SelectedBackground = KitPalette::ListSelectedBackground, SelectedText = KitPalette::TextBright;
    COLORREF BackgroundColour = KitPalette::Dark, TextColour = KitPalette::Text;
    int EditRow = -1, EditColumn = -1;

private:
    struct Column {
        wxString Title;
        int Width;
        ColumnAlign Align;
    };
    wxCoord OnGetRowHeight(size_t row) const override;
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void RowsChanged();
    void CommitEdit();
    void EndEdit();
    bool IsIn(const std::vector<int>& columns, int column) const;

    std::vector<Column> Columns;
    std::vector<std::vector<wxString>> Rows;
    ListColours Colours;
    int RowHeight = 0;
    int FontHeight = 15, FontWidth = 0;
    wxFont RowFont;
    std::vector<int> EditableColumns, DropDownColumns;
    int Selected = -1;
    CMyEdit* InPlaceEdit = nullptr;
    CDropButton* InPlaceList = nullptr;
    MessageMap Messages{this};
};
