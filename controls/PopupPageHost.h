#pragma once
// The borderless top-level window that holds a pop-up page (keyer, test pattern, time and
// schedule, caption, preview window), owned by the main dialog. The page fills it.
#include <wx/dialog.h>
#include <wx/frame.h>

class MBaseDialog;

class PopupPageHost : public wxDialog {
public:
    PopupPageHost(wxWindow* owner, const wxRect& rect);
    // Creates the page inside the host, filling it.
    bool HostPage(MBaseDialog& page);
    MBaseDialog* Page() const { return HostedPage; }
    // Shows the window where it was last placed, from the first showing on.
    bool Show(bool show = true) override;

private:
    MBaseDialog* HostedPage = nullptr;
};
