#include "controls/CDropButton.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/time.h>
#include <wx/utils.h>

#include "controls/CMemuDC.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

// ---- CDropList

CDropList::CDropList(wxWindow* parent) : wxVListBox(parent, WindowIdFor(ListId), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE) {
    SetBackgroundColour(ColourFromRef(Background));
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
        const int hit = VirtualHitTest(e.GetPosition().y);
        if (hit != wxNOT_FOUND)
            if (auto* popup = dynamic_cast<CListWnd*>(GetParent()))
                popup->PickIndex(hit);
        e.Skip();
    });
    // Arrow keys move the highlight; Enter picks it, Esc closes without a pick.
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        auto* popup = dynamic_cast<CListWnd*>(GetParent());
        if (popup && (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER)) {
            popup->PickIndex(GetSelection());
            return;
        }
        if (popup && e.GetKeyCode() == WXK_ESCAPE) {
            popup->Dismiss();
            return;
        }
        e.Skip();
    });
}

int CDropList::AddString(const wxString& text) {
    const int index = Model.AddString(text.utf8_string());
    SetItemCount(static_cast<size_t>(Model.GetCount()));
    if (Model.GetCurSel() >= 0)
        SetSelection(Model.GetCurSel());
    return index;
}

bool CDropList::SetItemData(int index, long data) { return Model.SetItemData(index, data); }

wxString CDropList::GetText(int index) const {
    const DropListItem* item = Model.Item(index);
    return item ? wxString::FromUTF8(item->Text) : wxString();
}

int CDropList::DeleteString(int index) {
    const int result = Model.DeleteString(index);
    if (result >= 0) {
        SetItemCount(static_cast<size_t>(Model.GetCount()));
        SetSelection(Model.GetCurSel());
        Refresh();
    }
    return result;
}

void CDropList::ResetContent() {
    Model.ResetContent();
    SetItemCount(0);
    Refresh();
}

void CDropList::SetItemDisabled(int index, bool disabled) {
    Model.SetDisabled(index, disabled);
    Refresh();
}

void CDropList::SetListFont(const wxFont& font) {
    if (FontSet || !font.IsOk())
        return;
    FontSet = true;
    SetFont(font);
    RowHeight = std::max(16, GetCharHeight() + 2);
    RefreshAll();
}

void CDropList::SetBkColor(COLORREF colour) {
    Background = colour;
    SetBackgroundColour(ColourFromRef(colour));
    Refresh();
}

void CDropList::SetSelColor(COLORREF colour) {
    SelectionColour = colour;
    Refresh();
}

wxCoord CDropList::OnMeasureItem(size_t) const { return RowHeight; }

void CDropList::OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const {
    const DropListItem* item = Model.Item(static_cast<int>(n));
    const bool selected = IsSelected(n) && item && !item->Disabled;
    dc.SetPen(wxPen(ColourFromRef(Background)));
    dc.SetBrush(wxBrush(ColourFromRef(selected ? SelectionColour : Background)));
    dc.DrawRectangle(rect);
}

void CDropList::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    const DropListItem* item = Model.Item(static_cast<int>(n));
    if (!item)
        return;
    COLORREF text = item->TextColour;
    if (item->Disabled)
        text = KitPalette::DisabledItem;
    else if (IsSelected(n))
        text = item->SelectedTextColour;
    dc.SetFont(GetFont());
    dc.SetTextForeground(ColourFromRef(text));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxRect area(rect.x + 4, rect.y, rect.width - 9, rect.height);
    const wxString shown = wxControl::Ellipsize(wxString::FromUTF8(item->Text), dc, wxELLIPSIZE_END, area.width);
    dc.DrawLabel(shown, area, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

// ---- CListWnd

CListWnd::CListWnd(CDropButton* owner) : wxPopupTransientWindow(owner, wxBORDER_NONE), Owner(owner) {
    // A one-pixel frame round the list, drawn as the pop-up's own background (native borders of
    // pop-ups differ between themes).
    SetBackgroundColour(ColourFromRef(KitPalette::Frame));
    List = new CDropList(this);
    // The open pop-up holds the pointer, and GTK reports no moves outside it: the pointer is
    // watched instead, so that leaving both button and pop-up closes it.
    PointerWatch.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CheckPointer(); });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        const wxSize size = GetClientSize();
        List->SetSize(1, 1, std::max(0, size.x - 2), std::max(0, size.y - 2));
        e.Skip();
    });
}

void CListWnd::PickIndex(int index) {
    if (!List->Model.Pick(index))
        return;
    List->SetSelection(index);
    Dismiss();
    Owner->OnDropListSelChanged(index);
}

void CListWnd::Open(wxWindow* focus) {
    Popup(focus);
    PointerAtOpen = wxGetMousePosition();
    PointerWatch.Start(PointerWatchMs);
}

void CListWnd::CheckPointer() {
    // Only a move counts: a pop-up opened from the keyboard stays open until the mouse moves.
    const wxPoint at = wxGetMousePosition();
    if (IsShown() && at != PointerAtOpen && !Owner->GetScreenRect().Contains(at) && !GetScreenRect().Contains(at))
        Dismiss();
}

void CListWnd::OnDismiss() {
    PointerWatch.Stop();
    Owner->OnPopupDismissed();
}

// ---- CDropButton

bool CDropButton::Create(const wxString& caption, wxWindow* parent, int notifyId, long face, long hover, long text,
                         long second, const wxFont* font, long listBackground, const wxRect& rect) {
    ControlId = notifyId;
    if (!wxControl::Create(parent, WindowIdFor(notifyId), rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxWANTS_CHARS))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    FaceColour = face == -1 ? 0xCDD9DD : static_cast<COLORREF>(face);
    HoverColour = hover == -1 ? 0xD9E5E9 : static_cast<COLORREF>(hover);
    TextColour = text == -1 ? 0 : static_cast<COLORREF>(text);
    SecondColour = second == -1 ? 0 : static_cast<COLORREF>(second);
    if (font && font->IsOk()) {
        SetFont(*font);
    } else {
        LogFont own;
        own.Height = 15;
        SetFont(FontFromLogFont(own));
    }
    wxControl::SetLabel(caption);
    NotifyId = notifyId;
    Parent = parent;
    Popup = new CListWnd(this);
    Popup->List->SetListFont(GetFont());
    Popup->List->SetBkColor(listBackground == -1 ? 0xFFFFFF : static_cast<COLORREF>(listBackground));
    Bind(wxEVT_PAINT, &CDropButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CDropButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CDropButton::OnLeftDown, this);
    Bind(wxEVT_KEY_DOWN, &CDropButton::OnKeyDown, this);
    Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent&) { Hover = !IsDroppedDown(); Refresh(); });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { Hover = false; Refresh(); });
    return true;
}

CDropButton::~CDropButton() {
    if (Popup)
        Popup->Destroy();
}

void CDropButton::SetCurSel(int index) {
    CDropList* list = GetList();
    if (!list)
        return;
    if (list->GetCount() > 0 && CaptionFollowsSelection) {
        // A bad index names no item: the caption goes blank rather than reading past the list.
        wxControl::SetLabel(list->GetText(index));
        Refresh();
    }
    list->Model.SetCurSel(index);
    list->SetSelection(list->Model.GetCurSel());
}

void CDropButton::ShowDropDown() {
    if (!Popup)
        return;
    CDropList* list = Popup->List;
    const int height = list->Model.DropHeight(list->ItemHeight(), MaxDropHeight);
    const wxRect screen = GetScreenRect();
    wxPoint at(screen.x, screen.GetBottom());
    // Open upwards when the screen has no room below the button.
    const int screenHeight = wxSystemSettings::GetMetric(wxSYS_SCREEN_Y);
    if (screenHeight > 0 && at.y + height + 2 > screenHeight)
        at.y = screen.y - height - 2;
    Popup->SetSize(wxRect(at, wxSize(screen.width, height + 2)));
    if (list->Model.GetCurSel() >= 0)
        list->SetSelection(list->Model.GetCurSel());
    Hover = false;
    Popup->Open(list);
    Refresh();
}

void CDropButton::HideDropDown() {
    if (IsDroppedDown())
        Popup->Dismiss();
}

void CDropButton::OnPopupDismissed() {
    DismissedAt = wxGetLocalTimeMillis();
    Refresh();
}

void CDropButton::OnDropListSelChanged(int index) {
    CDropList* list = GetList();
    if (!list)
        return;
    if (CaptionFollowsSelection) {
        wxControl::SetLabel(list->GetText(index));
        Refresh();
    }
    PostMsg(Parent, MDropListSelChanged, static_cast<WPARAM>(NotifyId), index);
    list->Model.SetRememberedIndex(index);
}

void CDropButton::OnLeftDown(wxMouseEvent&) {
    if (!IsEnabled())
        return;
    // The press that closed the pop-up (on this button) must not open it again.
    if (wxGetLocalTimeMillis() - DismissedAt < 250)
        return;
    if (IsDroppedDown())
        HideDropDown();
    else
        ShowDropDown();
}

void CDropButton::OnKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_SPACE || key == WXK_DOWN || key == WXK_F4)
        ShowDropDown();
    else
        event.Skip();
}

void CDropButton::OnPaint(wxPaintEvent&) {
    wxPaintDC paint(this);
    const wxRect client(GetClientSize());
    CMemuDC dc(paint, client);
    COLORREF face = Hover ? HoverColour : FaceColour;
    if (!IsEnabled())
        face = KitPalette::ListBackground;
    dc.SetPen(wxPen(ColourFromRef(KitPalette::Frame)));
    dc.SetBrush(wxBrush(ColourFromRef(face)));
    dc.DrawRectangle(client);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const COLORREF text = IsEnabled() ? TextColour : KitPalette::DisabledItem;
    dc.SetTextForeground(ColourFromRef(text));
    wxCoord w = 0, h = 0;
    dc.GetTextExtent("M", &w, &h);
    const wxRect captionRect(5, 0, client.width - w - 15, client.height);
    if (captionRect.width > 0)
        dc.DrawLabel(wxControl::Ellipsize(GetLabel(), dc, wxELLIPSIZE_END, captionRect.width), captionRect,
                     wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    // The down arrow: a filled triangle at the right, its tip half its width below its top edge.
    const int y0 = client.height / 2 - w / 4;
    const int left = client.GetRight() - w - 5, right = client.GetRight() - 6;
    const wxPoint arrow[3] = {{left, y0}, {right, y0}, {left + (right - left) / 2, y0 + (right - left) / 2}};
    dc.SetPen(wxPen(ColourFromRef(text)));
    dc.SetBrush(wxBrush(ColourFromRef(text)));
    dc.DrawPolygon(3, arrow);
}

void DropListSelectByData(CDropButton* button, long value) {
    if (!button || !button->GetHandle() || !button->GetList())
        return;
    button->SetCurSel(button->GetList()->Model.IndexForData(value));
}

int DropListFindData(CDropButton* button, long value) {
    if (!button || !button->GetHandle() || !button->GetList())
        return -1;
    return button->GetList()->Model.FindData(value);
}
