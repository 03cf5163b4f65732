#include "controls/MBaseDialog.h"

#include <wx/dcclient.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "controls/CMemuDC.h"
#include "controls/DrawingAids.h"
#include "controls/KitGeometry.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/PopupPageHost.h"
#include "controls/logic/KitLayout.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

MBaseDialog::MBaseDialog(int templateId, bool notifyOnClose) : TemplateId(templateId), NotifyOnClose(notifyOnClose) {
    GroupLogFont.Height = 80;
    GroupLogFont.Face = "MS Sans Serif";
}

MBaseDialog::~MBaseDialog() = default;

bool MBaseDialog::Create(wxWindow* parent, const wxRect& rect) {
    if (!wxPanel::Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxTAB_TRAVERSAL))
        return false;
    SetLabel(wxString::FromUTF8(PageCaption(TemplateId)));
    // Clicks of the page's buttons end at the page.
    SetExtraStyle(GetExtraStyle() | wxWS_EX_BLOCK_EVENTS);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(ColourFromRef(KitPalette::Dark));
    CreateFonts();
    Bind(wxEVT_PAINT, &MBaseDialog::OnPaint, this);
    Bind(wxEVT_SIZE, &MBaseDialog::OnSize, this);
    Bind(wxEVT_CHAR_HOOK, &MBaseDialog::OnCharHook, this);
    Bind(wxEVT_LEFT_DOWN, &MBaseDialog::OnLeftDown, this);
    Bind(wxEVT_MOTION, &MBaseDialog::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &MBaseDialog::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { Dragging = false; });
    OnClicked(CloseButtonId, [this] { OnBnClickedClose(); });
    OnClicked(MaximizeButtonId, [this] { ToggleMaximize(); });
    return true;
}

void MBaseDialog::CreateFonts() {
    LogFont title;
    title.Height = 18;
    title.Weight = 700;
    TitleFont = FontFromLogFont(title);
    LogFont control = title;
    control.Height = 15;
    ControlFont = FontFromLogFont(control);
    GroupLogFont = LogFont{};
    GroupLogFont.Height = 100;
    GroupLogFont.Weight = 400;
    GroupLogFont.Face = "Arial";
}

void MBaseDialog::OnClicked(int id, std::function<void()> handler) {
    Bind(wxEVT_BUTTON, [handler = std::move(handler)](wxCommandEvent&) {
        CommitEditsOfEveryPage();
        handler();
    }, id);
}

void MBaseDialog::CommitEditsBeforeAction() {
    for (wxWindow* child : GetChildren())
        if (auto* edit = dynamic_cast<NumericEditBase*>(child))
            edit->CommitBeforeAction();
}

namespace {
void CollectPages(wxWindow* window, std::vector<MBaseDialog*>& pages) {
    if (auto* page = dynamic_cast<MBaseDialog*>(window))
        pages.push_back(page);
    for (wxWindow* child : window->GetChildren())
        if (!child->IsTopLevel())  // a pop-up window is walked as a window of its own
            CollectPages(child, pages);
}
}  // namespace

void MBaseDialog::CommitEditsOfEveryPage() {
    // Pages live in the main window and in the pop-up windows; the edit typed in may be on any of
    // them, and the control that acts has taken the focus from it on its press. The pages are
    // listed first: a page's commit may open or close windows.
    std::vector<MBaseDialog*> pages;
    for (wxWindow* top : wxTopLevelWindows)
        CollectPages(top, pages);
    for (MBaseDialog* page : pages)
        page->CommitEditsBeforeAction();
}

wxWindow* MBaseDialog::PopupHost() const {
    return dynamic_cast<PopupPageHost*>(GetParent());
}

wxWindow* MBaseDialog::OwnerWindow() const {
    wxWindow* host = PopupHost();
    return host ? host->GetParent() : GetParent();
}

void MBaseDialog::ShowPage(bool show) {
    // Leaving the page commits what is typed on it, as the focus loss would; a commit that reached
    // the page once it is hidden would come from no operator.
    if (!show && IsShown())
        CommitEditsBeforeAction();
    if (wxWindow* host = PopupHost())
        host->Show(show);
    Show(show);
}

void MBaseDialog::ClosePage() {
    ShowPage(false);
    if (NotifyOnClose)
        PostMsg(OwnerWindow(), MPageClosed, 0, 0);
}

void MBaseDialog::ToggleMaximize() {
    auto* host = dynamic_cast<PopupPageHost*>(PopupHost());
    if (!host || !MaximizeButton)
        return;
    host->Maximize(MaximizeButton->IsChecked());
}

void MBaseDialog::CreateCaptionButtons(bool withMaximize) {
    const KitRect client = ToKitRect(wxRect(GetClientSize()));
    if (!CloseButton) {
        CloseButton = new CGdipButton(this, CloseButtonId, wxString(), ToWxRect(CloseButtonRect(client)));
        CloseButton->LoadStdImage(CloseButtonImageId);
    }
    if (withMaximize && !MaximizeButton) {
        MaximizeButton = new CGdipButton(this, MaximizeButtonId, wxString(), ToWxRect(MaximizeButtonRect(client)));
        MaximizeButton->LoadStdImage(MaximizeImageId);
        MaximizeButton->LoadAltImage(RestoreImageId);
        MaximizeButton->SetToggle(true);
        MaximizeButton->SetChecked(false);
    }
}

void MBaseDialog::SetChildFonts() {
    for (wxWindow* child : GetChildren())
        child->SetFont(ControlFont);
}

CSxGroupBox& MBaseDialog::AddGroupBox(int id, const wxRect& frame, const wxString& title, GroupAlign alignment) {
    CSxGroupBox& box = GroupBoxes.emplace_back(id, frame, title, alignment);
    // The page family's look: bright title, dark frame two pixels wide, the page's group font.
    box.SetFont(&GroupLogFont);
    box.TextColour = KitPalette::TextBright;
    box.FrameColour = KitPalette::Frame;
    box.PenWidth = 2;
    RefreshRect(Grown(frame, 4));
    return box;
}

std::vector<CSxGroupBox*> MBaseDialog::AllGroupBoxes() {
    std::vector<CSxGroupBox*> all;
    for (CSxGroupBox& box : GroupBoxes)
        all.push_back(&box);
    return all;
}

std::vector<DrawnFrame> MBaseDialog::ShownFrames() const {
    std::vector<DrawnFrame> frames;
    for (const CSxGroupBox& box : GroupBoxes)
        frames.push_back({box.FrameRect, box.TitleRect(), box.GetText()});
    for (const wxRect& frame : PageFrames())
        frames.push_back({frame, {}, {}});
    return frames;
}

CSxGroupBox* MBaseDialog::FindGroupBox(int id) {
    for (CSxGroupBox& box : GroupBoxes)
        if (box.Id == id)
            return &box;
    return nullptr;
}

bool MBaseDialog::SetControlText(int id, const wxString& text) {
    if (CSxGroupBox* box = FindGroupBox(id)) {
        box->SetText(text);
        RefreshRect(Grown(box->FrameRect, 4));
        return true;
    }
    if (wxWindow* child = FindControl(this, id)) {
        // Edits keep what the operator typed; only labels change.
        if (!child->IsKindOf(wxCLASSINFO(wxTextCtrl)))
            child->SetLabel(text);
        return true;
    }
    return false;
}

void MBaseDialog::DrawBackground(wxDC& dc) {
    const wxSize size = GetClientSize();
    DrawSkinBackground(dc, size, wxRect(size), wxPoint(0, 0));
}

void MBaseDialog::DrawTitleBar(wxDC& dc, const wxString& caption) {
    const wxRect client(GetClientSize());
    FillGradientRect(dc, wxRect(client.x, client.y, client.width, 13), KitPalette::TitleUpperFrom,
                     KitPalette::TitleUpperTo, 1);
    FillGradientRect(dc, wxRect(client.x, client.y + 13, client.width, 13), KitPalette::TitleLowerFrom,
                     KitPalette::TitleLowerTo, 1);
    if (caption.empty())
        return;
    dc.SetFont(TitleFont);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(ColourFromRef(KitPalette::Accent));
    wxCoord w = 0, h = 0;
    dc.GetTextExtent(caption, &w, &h);
    const KitRect kit = ToKitRect(client);
    dc.DrawText(caption, TitleTextX(kit, w), TitleTextY(kit, h));
}

void MBaseDialog::PaintSkin(wxDC& dc, const wxRect& area) {
    DrawSkinBackground(dc, GetClientSize(), area, area.GetPosition());
    if (!PageTitle.empty() && area.y < TitleBarHeight)
        DrawTitleBar(dc, PageTitle);
    for (const CSxGroupBox& box : GroupBoxes)
        if (Grown(box.FrameRect, 12).Intersects(area))
            box.Draw(dc);
    for (wxWindow* child : GetChildren()) {
        auto* framed = dynamic_cast<EditFrameSource*>(child);
        if (framed && child->IsShown() && framed->FrameWidth() > 0)
            DrawOutsideFrame(dc, child->GetRect(), framed->FrameWidth(), framed->CurrentFrameColour());
    }
}

void MBaseDialog::PaintBackdrop(wxDC& dc, const wxRect& area, const wxPoint& at) {
    // Paint in page coordinates, shifted so that `area` lands on `at`.
    const wxPoint origin = dc.GetDeviceOrigin();
    dc.SetDeviceOrigin(origin.x + at.x - area.x, origin.y + at.y - area.y);
    dc.SetClippingRegion(area);
    PaintSkin(dc, area);
    dc.DestroyClippingRegion();
    dc.SetDeviceOrigin(origin.x, origin.y);
}

void MBaseDialog::OnPaint(wxPaintEvent&) {
    wxPaintDC paint(this);
    const wxRect client(GetClientSize());
    CMemuDC dc(paint, client);
    PaintSkin(dc, client);
    PaintExtras(dc);
}

void MBaseDialog::OnSize(wxSizeEvent& event) {
    const KitRect client = ToKitRect(wxRect(GetClientSize()));
    if (CloseButton)
        CloseButton->SetSize(ToWxRect(CloseButtonRect(client)));
    if (MaximizeButton)
        MaximizeButton->SetSize(ToWxRect(MaximizeButtonRect(client)));
    Refresh();
    event.Skip();
}

void MBaseDialog::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    // Enter and Esc never close the page or click a button.
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE)
        return;
    event.Skip();
}

void MBaseDialog::OnLeftDown(wxMouseEvent& event) {
    wxWindow* top = wxGetTopLevelParent(this);
    if (DragByTitleBar && top && event.GetPosition().y < TitleBarHeight) {
        Dragging = true;
        DragStart = ClientToScreen(event.GetPosition()) - top->GetPosition();
        CaptureMouse();
        return;
    }
    event.Skip();
}

void MBaseDialog::OnMotion(wxMouseEvent& event) {
    if (Dragging) {
        if (wxWindow* top = wxGetTopLevelParent(this))
            top->Move(ClientToScreen(event.GetPosition()) - DragStart);
        return;
    }
    event.Skip();
}

void MBaseDialog::OnLeftUp(wxMouseEvent& event) {
    if (Dragging) {
        Dragging = false;
        if (HasCapture())
            ReleaseMouse();
        return;
    }
    event.Skip();
}
