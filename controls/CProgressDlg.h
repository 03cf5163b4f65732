#pragma once
// The dark busy/progress box: a modeless box with a title, an animated picture and a progress
// bar (hidden until wanted). The main dialog's busy box builds on it.
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/gauge.h>

#include "controls/CPictureEx.h"
#include "controls/SkinStatic.h"

class CProgressDlg : public wxDialog {
public:
    static constexpr int ProgressId = 61423;
    static constexpr int BusyAnimationId = 171;
    static constexpr int TitleMargin = 10;  // kept free at each side of a widened title

    explicit CProgressDlg(wxWindow* owner, const wxSize& size = wxSize(300, 150));
    void CreateControls();
    void SetTitleText(const wxString& text);

    wxGauge* Progress = nullptr;
    CPictureEx* Animation = nullptr;
    SkinStatic* Title = nullptr;
    wxFont TitleFont;
};
