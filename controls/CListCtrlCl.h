#pragma once
// The report list of the skin, with its header description (titles, per-column alignment, height
// factor), colour records for rows and cells, and in-place editing of the columns registered as
// editable (a CMyEdit) or as drop-down (a CDropButton). It posts MListCellEdited (row, column)
// and MListCellComboChanged (item data, row) to its parent.
#include <memory>
#include <string>
#include <vector>

#include <wx/listctrl.h>
#include <wx/weakref.h>

#include "controls/logic/KitLayout.h"
#include "platform/ui/ColourRef.h"
#include "platform/ui/ControlIds.h"
#include "platform/ui/Messages.h"

class CMyEdit;
class CDropButton;

// What a page sets on the list's header: its columns and its look.
struct HeaderSettings {
    std::vector<wxString> Titles;
    std::string Format;          // one character per column: '0' left, '1' centre, '2' right
    int Red = 171, Green = 199, Blue = 235, GradientStep = 8;
    float HeightFactor = 1.0f;
    int FontHeight = 18;
    COLORREF TextColour = 0;

    ColumnAlign Align(int column) const { return HeaderColumnAlign(Format, column); }
};

// The list's header, drawn by us: each pixel row of the band darkens by GradientStep from the
// top colour, titles in bold, aligned per column by Format.
class CHeaderCtrlCl : public wxControl {
public:
    CHeaderCtrlCl() = default;
    bool Create(wxWindow* parent, const wxRect& rect, wxListCtrl* list);

    HeaderSettings Look;

private:
    void OnPaint(wxPaintEvent& event);
    wxListCtrl* List = nullptr;
};

class CListCtrlCl : public wxListCtrl, public ControlIdentity {
public:
    static constexpr int InPlaceEditId = 65535;
    static constexpr int InPlaceListId = 32767;

    CListCtrlCl(wxWindow* parent, int id, const wxRect& rect);
    ~CListCtrlCl() override;

    // Columns and header look from the page's settings.
    void SetHeader(const HeaderSettings& settings);
    int HeaderPixelHeight() const;
    void SetRowTextColour(int row, COLORREF colour);
    void SetRowBackgroundColour(int row, COLORREF colour);
    void SetCellTextColour(int row, int column, COLORREF colour);
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

    // The header is a sibling window; it goes when the list goes, and may go first with the page.
    wxWeakRef<CHeaderCtrlCl> Header;
    COLORREF SelectedBackground = 0x505050, SelectedText = 0xEBEBEB;
    int EditRow = -1, EditColumn = -1;

private:
    struct ColourRecord { int Row, Column; COLORREF Colour; };
    void ApplyColours(int row);
    void OnDoubleClick(wxMouseEvent& event);
    void OnItemsDeleted(wxListEvent& event);
    void CommitEdit();
    void EndEdit();
    bool IsIn(const std::vector<int>& columns, int column) const;
    wxRect CellRect(int row, int column) const;

    std::vector<ColourRecord> RowText, RowBackground, CellText;
    std::vector<int> EditableColumns, DropDownColumns;
    int Selected = -1;
    CMyEdit* InPlaceEdit = nullptr;
    CDropButton* InPlaceList = nullptr;
    MessageMap Messages{this};
};
