#include "controls/CListCtrlCl.h"

#include <algorithm>

#include "controls/CDropButton.h"
#include "controls/CMyEdit.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

CListCtrlCl::CListCtrlCl(wxWindow* parent, int id, const wxRect& rect)
    : wxListCtrl(parent, WindowIdFor(id), rect.GetPosition(), rect.GetSize(), wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SIMPLE),
      ControlIdentity(id) {
    SetBackgroundColour(ColourFromRef(KitPalette::Dark));
    SetForegroundColour(ColourFromRef(KitPalette::Text));
    // A double click inside the list area reaches the list's main window; listen there too.
    Bind(wxEVT_LEFT_DCLICK, &CListCtrlCl::OnDoubleClick, this);
    for (wxWindow* child : GetChildren())
        child->Bind(wxEVT_LEFT_DCLICK, &CListCtrlCl::OnDoubleClick, this);
    Messages.On(MEditKeyDown, [this](WPARAM key, LPARAM id) -> LRESULT {
        if (id != InPlaceEditId)
            return 0;
        if (key == 13)
            CommitEdit();
        else
            EndEdit();
        return 0;
    });
    Messages.On(MDropListSelChanged, [this](WPARAM id, LPARAM index) -> LRESULT {
        if (id == static_cast<WPARAM>(InPlaceListId))
            CommitComboCell(static_cast<int>(index));
        return 0;
    });
}

CListCtrlCl::~CListCtrlCl() = default;

void CListCtrlCl::SetHeader(const CHeaderCtrlCl& header) {
    Header = header;
    DeleteAllColumns();
    for (std::size_t i = 0; i < Header.Titles.size(); ++i) {
        const ColumnAlign align = Header.Align(static_cast<int>(i));
        const wxListColumnFormat format = align == ColumnAlign::Left    ? wxLIST_FORMAT_LEFT
                                          : align == ColumnAlign::Right ? wxLIST_FORMAT_RIGHT
                                                                        : wxLIST_FORMAT_CENTRE;
        InsertColumn(static_cast<long>(i), Header.Titles[i], format);
    }
}


void CListCtrlCl::SetRowTextColour(int row, COLORREF colour) {
    RowText.push_back({row, -1, colour});
    ApplyColours(row);
}

void CListCtrlCl::SetRowBackgroundColour(int row, COLORREF colour) {
    RowBackground.push_back({row, -1, colour});
    ApplyColours(row);
}

void CListCtrlCl::SetCellTextColour(int row, int column, COLORREF colour) {
    // The list shows one text colour per row; a cell colour stands for its row's.
    CellText.push_back({row, column, colour});
    ApplyColours(row);
}

void CListCtrlCl::ApplyColours(int row) {
    if (row < 0 || row >= GetItemCount())
        return;
    auto last = [row](const std::vector<ColourRecord>& records, COLORREF fallback) {
        COLORREF colour = fallback;
        for (const ColourRecord& r : records)
            if (r.Row == row)
                colour = r.Colour;
        return colour;
    };
    const COLORREF text = last(CellText, last(RowText, KitPalette::Text));
    SetItemTextColour(row, ColourFromRef(text));
    SetItemBackgroundColour(row, ColourFromRef(last(RowBackground, KitPalette::Dark)));
}

bool CListCtrlCl::IsIn(const std::vector<int>& columns, int column) const {
    return std::find(columns.begin(), columns.end(), column) != columns.end();
}

wxRect CListCtrlCl::CellRect(int row, int column) const {
    wxRect rect;
    const_cast<CListCtrlCl*>(this)->GetSubItemRect(row, column, rect);
    return rect;
}

void CListCtrlCl::OnDoubleClick(wxMouseEvent& event) {
    int flags = 0;
    wxPoint point = event.GetPosition();
    if (event.GetEventObject() != this)
        point = ScreenToClient(static_cast<wxWindow*>(event.GetEventObject())->ClientToScreen(point));
    const long row = HitTest(point, flags);
    if (row < 0) {
        event.Skip();
        return;
    }
    int column = 0;
    for (int x = 0; column < GetColumnCount(); ++column) {
        x += GetColumnWidth(column);
        if (point.x < x)
            break;
    }
    if (column >= GetColumnCount()) {
        event.Skip();
        return;
    }
    BeginCellEdit(static_cast<int>(row), column);
}

void CListCtrlCl::BeginCellEdit(int row, int column) {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount())
        return;
    const bool drop = IsIn(DropDownColumns, column), edit = IsIn(EditableColumns, column);
    if (!drop && !edit)
        return;
    EditRow = row;
    EditColumn = column;
    const wxRect cell = CellRect(row, column);
    if (drop) {
        if (InPlaceEdit)
            InPlaceEdit->Hide();
        if (!InPlaceList) {
            InPlaceList = new CDropButton;
            InPlaceList->Create("N/A", this, InPlaceListId, KitPalette::Dark, KitPalette::Dark, KitPalette::Text, -1,
                                nullptr, 0xFFFFFF, cell);
            InPlaceList->GetList()->SetBkColor(KitPalette::ListBackground);
            InPlaceList->GetList()->SetSelColor(KitPalette::Selection);
            InPlaceList->GetList()->AddString("N/A");
        }
        InPlaceList->SetSize(cell);
        InPlaceList->Show();
        InPlaceList->SetFocus();
        return;
    }
    if (InPlaceList)
        InPlaceList->Hide();
    if (!InPlaceEdit)
        InPlaceEdit = new CMyEdit(this, InPlaceEditId, cell, wxTE_CENTRE);
    InPlaceEdit->SetValue(GetItemText(row, column));
    InPlaceEdit->SetSize(cell);
    InPlaceEdit->Show();
    InPlaceEdit->SetFocus();
    InPlaceEdit->SelectAll();
}

void CListCtrlCl::CommitEdit() {
    if (!InPlaceEdit || !InPlaceEdit->IsShown())
        return;
    InPlaceEdit->Hide();
    if (EditRow >= 0 && EditColumn >= 0) {
        SetItem(EditRow, EditColumn, InPlaceEdit->GetValue());
        PostMsg(GetParent(), MListCellEdited, static_cast<WPARAM>(EditRow), EditColumn);
    }
    EditRow = EditColumn = -1;
}

void CListCtrlCl::EndEdit() {
    if (InPlaceEdit)
        InPlaceEdit->Hide();
    EditRow = EditColumn = -1;
}

void CListCtrlCl::CommitComboCell(int index) {
    CDropList* list = InPlaceList ? InPlaceList->GetList() : nullptr;
    if (!list || !list->Model.IsValid(index) || EditRow < 0 || EditColumn < 0)
        return;
    SetItem(EditRow, EditColumn, list->GetText(index));
    PostMsg(GetParent(), MListCellComboChanged, static_cast<WPARAM>(list->GetItemData(index)), EditRow);
    InPlaceList->Hide();
    EditRow = EditColumn = -1;
}
