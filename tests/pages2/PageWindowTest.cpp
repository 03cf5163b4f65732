#include "PageWindowTest.h"

#include <cstdlib>
#include <filesystem>

#include "platform/ui/UserMessages.h"

[[maybe_unused]] static ::testing::Environment* const WxEnvironment =
    ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

void PageWindowTest::SetUp() {
    ResetDeviceState();
    Link = std::make_unique<ScopedRecordingLink>();
    Frame = new wxFrame(nullptr, wxID_ANY, "pages", wxPoint(0, 0), wxSize(700, 620));
    FrameMessages = std::make_unique<MessageMap>(Frame);
    for (unsigned m : {MPageEvent, MLayerSourceChanged, MLayerWindowChanged, MRebuildCanvas, MLogoLayerChanged,
                       MShowBusy})
        FrameMessages->On(m, [this, m](WPARAM w, LPARAM l) -> LRESULT {
            Got.push_back({m, w, l});
            return 0;
        });
    Frame->Show();
}

void PageWindowTest::TearDown() {
    FrameMessages.reset();
    Frame->Destroy();
    Pump(20);
    Link.reset();
    ResetDeviceState();
}

std::vector<PageMessage> PageWindowTest::MessagesOf(unsigned message) const {
    std::vector<PageMessage> out;
    for (const PageMessage& m : Got)
        if (m.Message == message) out.push_back(m);
    return out;
}

std::vector<uint32_t> PageWindowTest::CommandNumbers() const {
    std::vector<uint32_t> out;
    for (const LinkCall& c : Commands()) out.push_back(c.Command);
    return out;
}

void PageWindowTest::ClearRecords() {
    Pump(10);
    Got.clear();
    Link->Link.Calls.clear();
}

bool PageWindowTest::SaveScreenshot(const std::string& name) {
    const std::filesystem::path folder = VELKAN_ARTIFACTS;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = (folder / name).string();
    std::filesystem::remove(path, ignored);
    const int rc = std::system(("import -window root '" + path + "' 2>/dev/null").c_str());
    return rc == 0 && std::filesystem::exists(path);
}
