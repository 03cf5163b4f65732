#pragma once
// The dark-skinned base of every page: stretched skin background, a 26-pixel drawn title bar
// with a gradient and an orange caption, close and optional maximise buttons, the kit fonts,
// frames round its kit edits, its group boxes, and Enter/Esc swallowed so that a page never
// closes or clicks a button by the keyboard. The main dialog drives every page through the four
// virtual page operations.
//
// A page's button clicks stop at the page (wxWS_EX_BLOCK_EVENTS), so they never reach a handler
// of the main dialog with the same id. Messages (PostMsg/SendMsg) reach the page's Messages map.
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include <wx/panel.h>

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/ShownGeometry.h"
#include "controls/SkinBackdrop.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Timers.h"

constexpr int CloseButtonId = 1002;
constexpr int MaximizeButtonId = 61438;
constexpr int CloseButtonImageId = 107;
constexpr int MaximizeImageId = 1561;
constexpr int RestoreImageId = 1562;

// Kit edits draw a coloured frame round themselves on their page (a native edit cannot draw
// outside itself); the page asks each of them for it when it paints.
class EditFrameSource {
public:
    virtual ~EditFrameSource() = default;
    virtual int FrameWidth() const = 0;
    virtual COLORREF CurrentFrameColour() const = 0;
};

class MBaseDialog : public wxPanel, public SkinBackdrop, public DrawnFrameSource {
public:
    MBaseDialog(int templateId, bool notifyOnClose);
    ~MBaseDialog() override;

    // Makes the page's window as a child of `parent` (the main dialog or a pop-up host).
    bool Create(wxWindow* parent, const wxRect& rect);

    virtual void ShowPage(bool show);
    virtual void ApplyLanguage() {}
    virtual void ClosePage();
    virtual void ToggleMaximize();
    // The device's answer that the page waited for will not come: the busy box closed (whatever
    // closed it), or the working link went or came back. A page that disabled itself behind the
    // box is usable again and drops the work it waited for; pages disabled for other reasons (the
    // switcher mode) stay so. True when the page waited and tells the operator itself.
    virtual bool EndWaitForDevice() { return false; }

    void CreateCaptionButtons(bool withMaximize);
    void SetChildFonts();
    void DrawBackground(wxDC& dc);
    void DrawTitleBar(wxDC& dc, const wxString& caption);

    // Group boxes of the page, drawn with the page.
    CSxGroupBox& AddGroupBox(int id, const wxRect& frame, const wxString& title,
                             GroupAlign alignment = GroupAlign::Left);
    CSxGroupBox* FindGroupBox(int id);
    std::vector<CSxGroupBox*> AllGroupBoxes();
    // Sets the text of the control or group box with that id (language files name texts by id).
    bool SetControlText(int id, const wxString& text);

    // Messages and timers by number.
    void OnMsg(unsigned message, MessageMap::Handler handler) { Messages.On(message, std::move(handler)); }
    // A click reaches its handler after the page's edits have committed what was typed.
    void OnClicked(int id, std::function<void()> handler);
    // Before an action acts on the device (a button of the page, a shortcut of the program): the
    // value being typed into the page's focused edit is committed, and every commit on its way
    // reaches the page, so the action comes after what the operator typed.
    void CommitEditsBeforeAction();
    // The same for every page of the program: an action of the main window (its buttons, its
    // input icons, a shortcut) comes after what is being typed on whichever page it is typed.
    static void CommitEditsOfEveryPage();
    void SetTimer(int id, unsigned milliseconds) { Timers.SetTimer(id, milliseconds); }
    void KillTimer(int id) { Timers.KillTimer(id); }
    bool IsTimerRunning(int id) const { return Timers.IsRunning(id); }
    virtual void OnTimer(int id) { (void)id; }

    // The window that hears about the page (the main dialog), also for pages in a pop-up host.
    wxWindow* OwnerWindow() const;
    // The top-level window this page shows in when it is a pop-up page, else null.
    wxWindow* PopupHost() const;

    int TemplateId;
    bool NotifyOnClose;
    bool DragByTitleBar = false;   // the caption page is moved by its drawn title bar
    wxString PageTitle;            // empty: the page draws no title bar
    wxFont TitleFont, ControlFont;
    LogFont GroupLogFont;
    CGdipButton* CloseButton = nullptr;
    CGdipButton* MaximizeButton = nullptr;

    void PaintBackdrop(wxDC& dc, const wxRect& area, const wxPoint& at) override;
    // The group boxes and the page's own frames, for the geometry record.
    std::vector<DrawnFrame> ShownFrames() const override;

protected:
    // The page's own drawing after background, title bar, group boxes and edit frames.
    virtual void PaintExtras(wxDC& dc) { (void)dc; }
    // Frames the page draws round its controls besides its group boxes.
    virtual std::vector<wxRect> PageFrames() const { return {}; }
    virtual void OnBnClickedClose() { ClosePage(); }

private:
    void CreateFonts();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void PaintSkin(wxDC& dc, const wxRect& area);

    MessageMap Messages{this};
    TimerTable Timers{this, [this](int id) { OnTimer(id); }};
    std::deque<CSxGroupBox> GroupBoxes;
    wxPoint DragStart;
    bool Dragging = false;
};
