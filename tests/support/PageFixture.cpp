#include "support/PageFixture.h"

#include <cstdlib>
#include <filesystem>
#include <set>

#include "controls/OperatorNotices.h"
#include "platform/ui/UserMessages.h"

namespace {
void SaveScreenOnce(const std::string& suite) {
    static std::set<std::string> saved;
    const char* folder = std::getenv("VELKAN_ARTIFACTS");
    if (!folder || !*folder || !saved.insert(suite).second) return;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = std::string(folder) + "/" + suite + ".png";
    if (std::system(("import -window root -crop 720x680+0+0 '" + path + "' 2>/dev/null").c_str()) != 0)
        std::filesystem::remove(path, ignored);
}
} // namespace

void PageTest::SetUp() {
    ResetDeviceState();
    Link = std::make_unique<ScopedRecordingLink>();
    Frame = new wxFrame(nullptr, wxID_ANY, "pages", wxPoint(0, 0), wxSize(720, 680));
    Frame->SetBackgroundColour(*wxBLACK);
    FrameMessages = std::make_unique<MessageMap>(Frame);
    for (unsigned m : {MPageEvent, MShowBusy, MPageClosed, MLayerSourceChanged, MLayerWindowChanged,
                       MRebuildCanvas, MLogoLayerChanged})
        Listen(m);
    SetOperatorNoticeHook([this](const std::string& text, const std::string& caption) {
        Notices.push_back({text, caption});
        return NoticeAnswer;
    });
    Frame->Show();
}

void PageTest::Listen(unsigned message) {
    FrameMessages->On(message, [this, message](WPARAM w, LPARAM l) -> LRESULT {
        const auto* text =
            (message == MShowBusy && w != 0 && l) ? reinterpret_cast<const std::string*>(l) : nullptr;
        Got.push_back({message, w, l, text ? *text : std::string()});
        return 0;
    });
}

void PageTest::Host(MBaseDialog* page, const wxSize& size, bool closeButton) {
    page->Create(Frame, wxRect(wxPoint(0, 0), size));
    if (closeButton) page->CreateCaptionButtons(false);
    Pump(50);
}

void PageTest::TearDown() {
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
        Pump(30);
        SaveScreenOnce(test->test_suite_name());
    }
    SetOperatorNoticeHook(nullptr);
    FrameMessages.reset();
    Frame->Destroy();
    Pump(20);
    Link.reset();
    ResetDeviceState();
}

std::vector<SentMessage> PageTest::MessagesOf(unsigned message) const {
    std::vector<SentMessage> out;
    for (const SentMessage& m : Got)
        if (m.Message == message) out.push_back(m);
    return out;
}

std::vector<uint32_t> PageTest::CommandNumbers() const {
    std::vector<uint32_t> out;
    for (const LinkCall& c : Commands())
        out.push_back(c.Command);
    return out;
}

std::vector<std::string> PageTest::BusyTexts() const {
    std::vector<std::string> out;
    for (const SentMessage& m : MessagesOf(MShowBusy))
        if (m.W != 0) out.push_back(m.Text);
    return out;
}

std::vector<std::string> PageTest::NoticeTexts() const {
    std::vector<std::string> out;
    for (const ShownNotice& n : Notices)
        out.push_back(n.Text);
    return out;
}

void PageTest::ClearRecords() {
    Pump(10);
    Got.clear();
    Notices.clear();
    Link->Link.Calls.clear();
}
