#pragma once
// The skinned combo box: a button showing the current choice and a down arrow (CDropButton), a
// borderless pop-up under it (CListWnd) holding the owner-drawn list (CDropList). A pick posts
// MDropListSelChanged (notify id, index) to the button's parent; the parent reads the item data.
#include <wx/control.h>
#include <wx/popupwin.h>
#include <wx/timer.h>
#include <wx/vlbox.h>

#include "controls/logic/DropListModel.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/ControlIds.h"

class CDropButton;

class CDropList : public wxVListBox {
public:
    static constexpr int ListId = 1125;

    explicit CDropList(wxWindow* parent);

    int AddString(const wxString& text);
    bool SetItemData(int index, long data);
    long GetItemData(int index) const { return Model.GetItemData(index); }
    wxString GetText(int index) const;
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const { return Model.GetCount(); }
    void SetItemDisabled(int index, bool disabled);
    // The first call sets the font (and the item height from it); later calls change nothing.
    void SetListFont(const wxFont& font);
    void SetBkColor(COLORREF colour);
    void SetSelColor(COLORREF colour = KitPalette::Selection);
    int ItemHeight() const { return RowHeight; }

    DropListModel Model;

private:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;

    COLORREF Background = 0xFFFFFF;
    COLORREF SelectionColour = 0xEFF7F7;
    int RowHeight = 16;
    bool FontSet = false;
};

class CListWnd : public wxPopupTransientWindow {
public:
    explicit CListWnd(CDropButton* owner);
    CDropList* List;
    // The operator picked an item (click or Enter): closes and tells the button. A disabled item
    // leaves the pop-up open.
    void PickIndex(int index);
    // Shows the pop-up; it closes on a pick, an outside click, Esc, or the pointer leaving both
    // the button and the pop-up.
    void Open(wxWindow* focus);

private:
    void OnDismiss() override;
    void CheckPointer();
    static constexpr int PointerWatchMs = 40;
    CDropButton* Owner;
    wxTimer PointerWatch;
    wxPoint PointerAtOpen;
};

class CDropButton : public wxControl, public ControlIdentity {
public:
    static constexpr int MaxDropHeight = 100;

    CDropButton() : ControlIdentity(0) {}
    // -1 for a colour stands for its default; a null font makes the button's own Arial 15.
    bool Create(const wxString& caption, wxWindow* parent, int notifyId, long face, long hover, long text,
                long second, const wxFont* font, long listBackground, const wxRect& rect);
    ~CDropButton() override;

    // Shows item `index` (caption and list selection); posts nothing. A bad index leaves no
    // selection and a blank caption.
    void SetCurSel(int index);
    int GetCurSel() const { return Popup ? Popup->List->Model.GetCurSel() : -1; }
    CDropList* GetList() const { return Popup ? Popup->List : nullptr; }
    void ShowDropDown();
    void HideDropDown();
    bool IsDroppedDown() const { return Popup && Popup->IsShown(); }
    // From the pop-up: the operator picked `index`.
    void OnDropListSelChanged(int index);
    void OnPopupDismissed();

    int NotifyId = 0;
    bool CaptionFollowsSelection = true;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    CListWnd* Popup = nullptr;
    wxWindow* Parent = nullptr;
    COLORREF FaceColour = 0xCDD9DD, HoverColour = 0xD9E5E9, TextColour = 0, SecondColour = 0;
    bool Hover = false;
    wxLongLong DismissedAt = 0;
};

// Selects the first item whose data is `value`, or item 0 when none is; nothing without a button.
void DropListSelectByData(CDropButton* button, long value);
// Index of the first item whose data is `value`; -1 when none is or there is no button or window.
int DropListFindData(CDropButton* button, long value);
