#include "controls/CListCtrlCl.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "controls/CDropButton.h"
#include "controls/CMemuDC.h"
#include "controls/CMyEdit.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

namespace {
constexpr int DefaultHeaderHeight = 20;
constexpr int TextInset = 3;

wxFont BoldArial(int height) {
    LogFont bold;
    bold.Height = height;
    bold.Weight = 700;
    return FontFromLogFont(bold);
}

// Text in a cell: vertically centred, left and right 3 pixels inset, else centred. A non-zero
// width narrows or widens the letters to that average width, as a LOGFONT width does.
void DrawCellText(wxDC& dc, const wxString& text, const wxRect& cell, ColumnAlign align, int fontWidth) {
    if (text.empty() || cell.width <= 0)
        return;
    double scale = 1.0;
    if (fontWidth > 0) {
        const int average = dc.GetCharWidth();
        if (average > 0)
            scale = static_cast<double>(fontWidth) / average;
    }
    wxCoord w = 0, h = 0;
    dc.GetTextExtent(text, &w, &h);
    const int width = static_cast<int>(w * scale);
    int x = cell.x + (cell.width - width) / 2;
    if (align == ColumnAlign::Left)
        x = cell.x + TextInset;
    else if (align == ColumnAlign::Right)
        x = cell.GetRight() + 1 - TextInset - width;
    const int y = cell.y + (cell.height - h) / 2;
    wxDCClipper clip(dc, cell);
    if (scale == 1.0) {
        dc.DrawText(text, x, y);
        return;
    }
    // Letters drawn at their own width, then stretched: the coverage becomes the alpha of the
    // text colour, so the cell's background shows between them.
    wxBitmap letters(std::max(1, w), std::max(1, h));
    {
        wxMemoryDC mem(letters);
        mem.SetBackground(*wxBLACK_BRUSH);
        mem.Clear();
        mem.SetFont(dc.GetFont());
        mem.SetTextForeground(*wxWHITE);
        mem.DrawText(text, 0, 0);
    }
    const wxImage coverage = letters.ConvertToImage();
    wxImage ink(coverage.GetWidth(), coverage.GetHeight());
    ink.InitAlpha();
    const wxColour colour = dc.GetTextForeground();
    for (int py = 0; py < ink.GetHeight(); ++py)
        for (int px = 0; px < ink.GetWidth(); ++px) {
            ink.SetRGB(px, py, colour.Red(), colour.Green(), colour.Blue());
            ink.SetAlpha(px, py, coverage.GetRed(px, py));
        }
    ink.Rescale(std::max(1, width), ink.GetHeight(), wxIMAGE_QUALITY_BILINEAR);
    dc.DrawBitmap(wxBitmap(ink), x, y, true);
}
}  // namespace

bool CHeaderCtrlCl::Create(wxWindow* parent, const wxRect& rect, CListCtrlCl* list) {
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
    // The band runs under every column and on to the right edge.
    for (int row = 0; row < size.y; ++row) {
        dc.SetPen(wxPen(ColourFromRef(HeaderRowColour(row, Look.Red, Look.Green, Look.Blue, Look.GradientStep))));
        dc.DrawLine(0, row, size.x, row);
    }
    dc.SetFont(BoldArial(Look.FontHeight));
    dc.SetTextForeground(ColourFromRef(Look.TextColour));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    int x = 0;
    for (int column = 0; List && column < List->GetColumnCount(); ++column) {
        const int width = List->GetColumnWidth(column);
        if (static_cast<std::size_t>(column) < Look.Titles.size())
            DrawCellText(dc, Look.Titles[static_cast<std::size_t>(column)], wxRect(x, 0, width, size.y),
                         Look.Align(column), Look.FontWidth);
        x += width;
    }
}

CListCtrlCl::CListCtrlCl(wxWindow* parent, int id, const wxRect& rect)
    : wxVScrolledWindow(parent, WindowIdFor(id), wxPoint(rect.x, rect.y + DefaultHeaderHeight),
                        wxSize(rect.width, rect.height - DefaultHeaderHeight), wxBORDER_NONE | wxWANTS_CHARS),
      ControlIdentity(id) {
    // The skin's header cannot be a native one; the list draws its own above itself.
    Header = new CHeaderCtrlCl;
    Header->Create(parent, wxRect(rect.x, rect.y, rect.width, DefaultHeaderHeight), this);
    Bind(wxEVT_SHOW, [this](wxShowEvent& e) {
        if (Header)
            Header->Show(e.IsShown());
        e.Skip();
    });
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetRowFont(FontHeight, FontWidth);
    Bind(wxEVT_PAINT, &CListCtrlCl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CListCtrlCl::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CListCtrlCl::OnDoubleClick, this);
    Bind(wxEVT_KEY_DOWN, &CListCtrlCl::OnKeyDown, this);
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
    if (Header)
        Header->Destroy();
}

void CListCtrlCl::SetHeader(const HeaderSettings& settings) {
    Columns.clear();
    for (std::size_t i = 0; i < settings.Titles.size(); ++i)
        Columns.push_back({settings.Titles[i],
                           i < settings.Widths.size() ? settings.Widths[i] : HeaderSettings::DefaultColumnWidth,
                           settings.Align(static_cast<int>(i))});
    for (auto& row : Rows)
        row.resize(std::max<std::size_t>(1, Columns.size()));
    if (Header) {
        Header->Look = settings;
        // The header grows by its factor and the list gives up the room.
        const wxPoint top = Header->GetPosition();
        const int all = GetPosition().y + GetSize().y - top.y;
        const int height = HeaderHeight(DefaultHeaderHeight, settings.HeightFactor);
        Header->SetSize(top.x, top.y, GetSize().x, height);
        SetSize(top.x, top.y + height, GetSize().x, all - height);
        Header->Refresh();
    }
    RefreshAll();
}

int CListCtrlCl::HeaderPixelHeight() const { return Header ? Header->GetSize().y : 0; }

int CListCtrlCl::GetColumnWidth(int column) const {
    return column >= 0 && column < GetColumnCount() ? Columns[static_cast<std::size_t>(column)].Width : 0;
}

ColumnAlign CListCtrlCl::GetColumnAlign(int column) const {
    return column >= 0 && column < GetColumnCount() ? Columns[static_cast<std::size_t>(column)].Align
                                                    : ColumnAlign::Centre;
}

long CListCtrlCl::InsertItem(long row, const wxString& text) {
    row = std::clamp<long>(row, 0, GetItemCount());
    std::vector<wxString> cells(std::max<std::size_t>(1, Columns.size()));
    cells[0] = text;
    Rows.insert(Rows.begin() + row, std::move(cells));
    if (Selected >= row)
        ++Selected;
    RowsChanged();
    return row;
}

bool CListCtrlCl::SetItem(long row, int column, const wxString& text) {
    if (row < 0 || row >= GetItemCount() || column < 0)
        return false;
    auto& cells = Rows[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= cells.size()) {
        if (column >= std::max(1, GetColumnCount()))
            return false;
        cells.resize(static_cast<std::size_t>(column) + 1);
    }
    cells[static_cast<std::size_t>(column)] = text;
    RefreshRow(static_cast<std::size_t>(row));
    return true;
}

wxString CListCtrlCl::GetItemText(long row, int column) const {
    if (row < 0 || row >= GetItemCount() || column < 0)
        return {};
    const auto& cells = Rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : wxString();
}

bool CListCtrlCl::DeleteItem(long row) {
    if (row < 0 || row >= GetItemCount())
        return false;
    Rows.erase(Rows.begin() + row);
    if (Selected == row)
        Selected = -1;
    else if (Selected > row)
        --Selected;
    RowsChanged();
    return true;
}

void CListCtrlCl::DeleteAllItems() {
    Rows.clear();
    Selected = -1;
    RowsChanged();
}

void CListCtrlCl::RowsChanged() {
    SetRowCount(Rows.size());
    RefreshAll();
}

void CListCtrlCl::SetRowHeight(int height) {
    RowHeight = height;
    RefreshAll();
}

void CListCtrlCl::SetRowFont(int height, int width) {
    FontHeight = height;
    FontWidth = width;
    RowFont = BoldArial(height);
    RefreshAll();
}

int CListCtrlCl::RowPixelHeight() const {
    if (RowHeight > 0)
        return RowHeight;
    // The row font's own height, as a list sizes rows without a measure of its own.
    wxClientDC dc(const_cast<CListCtrlCl*>(this));
    dc.SetFont(RowFont);
    return dc.GetCharHeight() + 4;
}

wxCoord CListCtrlCl::OnGetRowHeight(size_t) const { return RowPixelHeight(); }

void CListCtrlCl::SetRowTextColour(int row, COLORREF colour) {
    Colours.SetRowText(row, colour);
    RefreshAll();
}

void CListCtrlCl::SetRowBackgroundColour(int row, COLORREF colour) {
    Colours.SetRowBackground(row, colour);
    RefreshAll();
}

void CListCtrlCl::SetCellTextColour(int row, int column, COLORREF colour) {
    Colours.SetCellText(row, column, colour);
    RefreshAll();
}

void CListCtrlCl::SetCellBackgroundColour(int row, int column, COLORREF colour) {
    Colours.SetCellBackground(row, column, colour);
    RefreshAll();
}

CellColours CListCtrlCl::ColoursOf(int row, int column) const {
    return Colours.Resolve(row, column, row == Selected, {TextColour, BackgroundColour},
                           {SelectedText, SelectedBackground});
}

void CListCtrlCl::SelectRow(int row) {
    if (row < 0 || row >= GetItemCount())
        return;
    Selected = row;
    RefreshAll();
}

void CListCtrlCl::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(ColourFromRef(BackgroundColour)));
    dc.DrawRectangle(wxRect(size));
    dc.SetFont(RowFont);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int height = RowPixelHeight();
    int y = 0;
    for (size_t row = GetVisibleRowsBegin(); row < GetVisibleRowsEnd() && row < Rows.size(); ++row, y += height) {
        int x = 0;
        for (int column = 0; column < GetColumnCount(); ++column) {
            const wxRect cell(x, y, GetColumnWidth(column), height);
            x += cell.width;
            const CellColours c = ColoursOf(static_cast<int>(row), column);
            dc.SetBrush(wxBrush(ColourFromRef(c.Background)));
            dc.DrawRectangle(cell);
            dc.SetTextForeground(ColourFromRef(c.Text));
            DrawCellText(dc, GetItemText(static_cast<long>(row), column), cell, GetColumnAlign(column), FontWidth);
        }
    }
}

bool CListCtrlCl::IsIn(const std::vector<int>& columns, int column) const {
    return std::find(columns.begin(), columns.end(), column) != columns.end();
}

wxRect CListCtrlCl::CellRect(int row, int column) const {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount() ||
        static_cast<size_t>(row) < GetVisibleRowsBegin())
        return {};
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += GetColumnWidth(c);
    const int height = RowPixelHeight();
    return {x, (row - static_cast<int>(GetVisibleRowsBegin())) * height, GetColumnWidth(column), height};
}

bool CListCtrlCl::HitCell(const wxPoint& point, int& row, int& column) const {
    row = VirtualHitTest(point.y);
    if (row == wxNOT_FOUND || row >= GetItemCount())
        return false;
    int x = 0;
    for (column = 0; column < GetColumnCount(); ++column) {
        x += GetColumnWidth(column);
        if (point.x < x)
            return point.x >= 0;
    }
    return false;
}

void CListCtrlCl::OnLeftDown(wxMouseEvent& event) {
    // A click elsewhere ends an edit: the in-place edit commits, the drop-down goes.
    if (InPlaceEdit && InPlaceEdit->IsShown())
        CommitEdit();
    if (InPlaceList && InPlaceList->IsShown())
        InPlaceList->Hide();
    EditRow = EditColumn = -1;
    SetFocus();
    int row = -1, column = -1;
    if (HitCell(event.GetPosition(), row, column))
        SelectRow(row);
}

void CListCtrlCl::OnDoubleClick(wxMouseEvent& event) {
    int row = -1, column = -1;
    if (!HitCell(event.GetPosition(), row, column)) {
        event.Skip();
        return;
    }
    BeginCellEdit(row, column);
}

void CListCtrlCl::OnKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if ((key == WXK_DOWN || key == WXK_UP) && GetItemCount() > 0) {
        const int row = std::clamp(Selected + (key == WXK_DOWN ? 1 : -1), 0, GetItemCount() - 1);
        SelectRow(row);
        ScrollToRow(static_cast<size_t>(row));
        return;
    }
    event.Skip();
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
                                nullptr, 0xFFFFFF, wxRect(cell.x, cell.y, cell.width, RowPixelHeight()));
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
    if (!InPlaceEdit) {
        InPlaceEdit = new CMyEdit(this, InPlaceEditId, cell, wxTE_CENTRE);
        InPlaceEdit->SetFont(RowFont);
    }
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
