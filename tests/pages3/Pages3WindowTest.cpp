#include "Pages3WindowTest.h"

#include <cstdlib>
#include <filesystem>

#include "controls/OperatorNotices.h"
#include "platform/ui/UserMessages.h"

[[maybe_unused]] static ::testing::Environment* const WxEnvironment =
    ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

void Pages3WindowTest::SetUp() {
    ResetDeviceState();
    Link = std::make_unique<ScopedRecordingLink>();
    Frame = new wxFrame(nullptr, wxID_ANY, "pages", wxPoint(0, 0), wxSize(720, 680));
    FrameMessages = std::make_unique<MessageMap>(Frame);
    for (unsigned m : {MPageEvent, MShowBusy, MPageClosed})
        FrameMessages->On(m, [this, m](WPARAM w, LPARAM l) -> LRESULT {
            const auto* text = (m == MShowBusy && w != 0) ? reinterpret_cast<const std::string*>(l) : nullptr;
            Got.push_back({m, w, text ? *text : std::string()});
            return 0;
        });
    SetOperatorNoticeHook([this](const std::string& text, const std::string& caption) {
        Notices.push_back({text, caption});
        return NoticeAnswer;
    });
    Frame->Show();
}

void Pages3WindowTest::TearDown() {
    SetOperatorNoticeHook(nullptr);
    FrameMessages.reset();
    Frame->Destroy();
    Pump(20);
    Link.reset();
    ResetDeviceState();
}

std::vector<SentMessage> Pages3WindowTest::MessagesOf(unsigned message) const {
    std::vector<SentMessage> out;
    for (const SentMessage& m : Got)
        if (m.Message == message) out.push_back(m);
    return out;
}

std::vector<uint32_t> Pages3WindowTest::CommandNumbers() const {
    std::vector<uint32_t> out;
    for (const LinkCall& c : Commands()) out.push_back(c.Command);
    return out;
}

void Pages3WindowTest::ClearRecords() {
    Pump(10);
    Got.clear();
    Notices.clear();
    Link->Link.Calls.clear();
}

bool Pages3WindowTest::SaveScreenshot(const std::string& name) {
    const std::filesystem::path folder = VELKAN_ARTIFACTS;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = (folder / name).string();
    std::filesystem::remove(path, ignored);
    const int rc = std::system(("import -window root '" + path + "' 2>/dev/null").c_str());
    return rc == 0 && std::filesystem::exists(path);
}

std::vector<uint8_t> BlockOf(const LinkCall& call) { return call.Bytes; }
