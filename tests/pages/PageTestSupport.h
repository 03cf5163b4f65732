#pragma once
// A frame that stands in for the main dialog and hosts one page, a recording link, and
// screenshots of the page into the build's artifacts folder.
#include <memory>
#include <string>

#include <wx/frame.h>

#include "controls/MBaseDialog.h"
#include "controls/WxTestApp.h"
#include "support/RecordingCommLink.h"

// The path of an artifact file (the folder is made when missing).
std::string ArtifactPath(const std::string& name);

// Saves the screen area of `window` as a PNG; false when the screen cannot be read.
bool SaveWindowScreenshot(wxWindow* window, const std::string& path);

// The commands the link received, in order.
std::vector<LinkCall> SentCommands(const RecordingCommLink& link);

// Hosts `page` in a frame at the top-left of the screen, shown, with its texts applied.
class PageHost {
public:
    PageHost(MBaseDialog* page, const wxSize& size, bool closeButton = true);
    ~PageHost();
    // Records `message` when it reaches the frame (the main dialog's place).
    void Listen(unsigned message);
    struct Received {
        unsigned Message;
        WPARAM W;
        LPARAM L;
    };
    std::vector<Received> Got;
    // For MShowBusy: the text it carried (lParam points at it only during the call).
    std::vector<std::string> BusyTexts;
    wxFrame* Frame;
    MBaseDialog* Page;
    std::unique_ptr<MessageMap> FrameMessages;
};
