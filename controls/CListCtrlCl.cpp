#include "controls/CListCtrlCl.h"

#include <algorithm>

#include <wx/dcclient.h>

#include "controls/CDropButton.h"
#include "controls/CMemuDC.h"
#include "controls/CMyEdit.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

constexpr int DefaultHeaderHeight = 20;

bool CHeaderCtrlCl::Create(wxWindow* parent, const wxRect& rect, wxListCtrl* list) {
    if (!wxControl::Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE))
        return false;
    List = list;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CHeaderCtrlCl::OnPaint, this);
    return true;
}

void CHeaderCtrlCl::OnPaint(wxPaintEvent&) {
    wxPaintDC paint(this);
    const wxSize size = GetClientSize();
    CMemuDC dc(paint, wxRect(size));
    for (int row = 0; row < size.y; ++row) {
        dc.SetPen(wxPen(ColourFromRef(HeaderRowColour(row, Look.Red, Look.Green, Look.Blue, Look.GradientStep))));
        dc.DrawLine(0, row, size.x, row);
    }
    LogFont bold;
    bold.Height = Look.FontHeight;
    bold.Weight = 700;
    dc.SetFont(FontFromLogFont(bold));
    dc.SetTextForeground(ColourFromRef(Look.TextColour));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    int x = 0;
    for (int column = 0; List && column < List->GetColumnCount(); ++column) {
        const int width = List->GetColumnWidth(column);
        const wxRect cell(x + 3, 0, width - 6, size.y);
        const ColumnAlign align = Look.Align(column);
        const int horizontal = align == ColumnAlign::Left ? wxALIGN_LEFT : align == ColumnAlign::Right ? wxALIGN_RIGHT
                                                                                                      : wxALIGN_CENTER_HORIZONTAL;
        if (static_cast<std::size_t>(column) < Look.Titles.size())
            dc.DrawLabel(Look.Titles[static_cast<std::size_t>(column)], cell, horizontal | wxALIGN_CENTER_VERTICAL);
        x += width;
        dc.SetPen(wxPen(ColourFromRef(KitPalette::Frame)));
        dc.DrawLine(x - 1, 2, x - 1, size.y - 2);
    }
}

CListCtrlCl::CListCtrlCl(wxWindow* parent, int id, const wxRect& rect)
    : wxListCtrl(parent, WindowIdFor(id), wxPoint(rect.x, rect.y + DefaultHeaderHeight),
                 wxSize(rect.width, rect.height - DefaultHeaderHeight),
                 wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_NONE),
      ControlIdentity(id) {
    // The native header cannot take the skin's colours, so the list draws its own above itself.
    Header = new CHeaderCtrlCl;
    Header->Create(parent, wxRect(rect.x, rect.y, rect.width, DefaultHeaderHeight), this);
    Bind(wxEVT_SHOW, [this](wxShowEvent& e) {
        if (Header)
            Header->Show(e.IsShown());
        e.Skip();
    });
    SetBackgroundColour(ColourFromRef(KitPalette::Dark));
    SetForegroundColour(ColourFromRef(KitPalette::Text));
    // The theme's highlight cannot take the skin's colours, so the list keeps the selection itself
    // and paints the selected row with its own colours.
    Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { SelectRow(static_cast<int>(e.GetIndex())); });
    Bind(wxEVT_LIST_DELETE_ALL_ITEMS, &CListCtrlCl::OnItemsDeleted, this);
    Bind(wxEVT_LIST_DELETE_ITEM, &CListCtrlCl::OnItemsDeleted, this);
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

CListCtrlCl::~CListCtrlCl() {
    // The base list deletes its items after this part is gone.
    Unbind(wxEVT_LIST_DELETE_ALL_ITEMS, &CListCtrlCl::OnItemsDeleted, this);
    Unbind(wxEVT_LIST_DELETE_ITEM, &CListCtrlCl::OnItemsDeleted, this);
    if (Header)
        Header->Destroy();
}

void CListCtrlCl::SetHeader(const HeaderSettings& settings) {
    if (!Header)
        return;
    Header->Look = settings;
    // The header grows by its factor and the list gives up the room.
    const wxRect all(Header->GetPosition(), wxSize(GetSize().x, GetPosition().y + GetSize().y - Header->GetPosition().y));
    const int height = HeaderHeight(DefaultHeaderHeight, settings.HeightFactor);
    Header->SetSize(all.x, all.y, all.width, height);
    SetSize(all.x, all.y + height, all.width, all.height - height);
    DeleteAllColumns();
    for (std::size_t i = 0; i < settings.Titles.size(); ++i) {
        const ColumnAlign align = settings.Align(static_cast<int>(i));
        const wxListColumnFormat format = align == ColumnAlign::Left    ? wxLIST_FORMAT_LEFT
                                          : align == ColumnAlign::Right ? wxLIST_FORMAT_RIGHT
                                                                        : wxLIST_FORMAT_CENTRE;
        InsertColumn(static_cast<long>(i), settings.Titles[i], format);
    }
    Header->Refresh();
}

int CListCtrlCl::HeaderPixelHeight() const { return Header ? Header->GetSize().y : 0; }


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

void CListCtrlCl::OnItemsDeleted(wxListEvent& event) {
    if (event.GetEventType() == wxEVT_LIST_DELETE_ALL_ITEMS || event.GetIndex() == Selected)
        Selected = -1;
    else if (event.GetIndex() < Selected)
        --Selected;
    event.Skip();
}

void CListCtrlCl::SelectRow(int row) {
    if (row < 0 || row >= GetItemCount())
        return;
    const int previous = Selected;
    Selected = row;
    SetItemState(row, 0, wxLIST_STATE_SELECTED);
    if (previous != row)
        ApplyColours(previous);
    ApplyColours(row);
}

void CListCtrlCl::ApplyColours(int row) {
    if (row < 0 || row >= GetItemCount())
        return;
    if (row == Selected) {
        SetItemTextColour(row, ColourFromRef(SelectedText));
        SetItemBackgroundColour(row, ColourFromRef(SelectedBackground));
        return;
    }
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
