#include "PageTestSupport.h"

#include <cstdlib>
#include <filesystem>

#include "platform/ui/UserMessages.h"

std::string ArtifactPath(const std::string& name) {
    const char* dir = std::getenv("VELKAN_ARTIFACTS");
    const std::string folder = dir && *dir ? dir : "artifacts";
    std::filesystem::create_directories(folder);
    return folder + "/" + name;
}

bool SaveWindowScreenshot(wxWindow* window, const std::string& path) {
    window->Refresh();
    window->Update();
    Pump(150);
    const wxRect r = window->GetScreenRect();
    const std::string geometry = std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                                 std::to_string(r.x) + "+" + std::to_string(r.y);
    const std::string command = "import -window root -crop " + geometry + " '" + path + "' 2>/dev/null";
    return std::system(command.c_str()) == 0 && std::filesystem::file_size(path) > 0;
}

std::vector<LinkCall> SentCommands(const RecordingCommLink& link) { return link.CallsOf("SendCommand"); }

PageHost::PageHost(MBaseDialog* page, const wxSize& size, bool closeButton) : Page(page) {
    Frame = new wxFrame(nullptr, wxID_ANY, "page", wxPoint(0, 0), size + wxSize(20, 20));
    Frame->SetBackgroundColour(*wxBLACK);
    FrameMessages = std::make_unique<MessageMap>(Frame);
    page->Create(Frame, wxRect(wxPoint(0, 0), size));
    if (closeButton) page->CreateCaptionButtons(false);
    Frame->Show();
    Pump(50);
}

void PageHost::Listen(unsigned message) {
    FrameMessages->On(message, [this, message](WPARAM w, LPARAM l) -> LRESULT {
        Got.push_back({message, w, l});
        if (message == MShowBusy && l) BusyTexts.push_back(*reinterpret_cast<const std::string*>(l));
        return 0;
    });
}

PageHost::~PageHost() {
    FrameMessages.reset();
    Frame->Destroy();
    Pump(20);
}
