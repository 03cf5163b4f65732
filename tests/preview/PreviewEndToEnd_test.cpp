// The live preview from end to end: the simulated processor with its preview on, the real link
// library, the reply callbacks, the preview session and window; then the encoder settings page
// filled from the device's encoder replies, and a package upload to the device's encoder server.
#include "../replies/RecordingMainDialog.h"
#include "app/AppGlobals.h"
#include "app/CommLink.h"
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/ReplyCallbacks.h"
#include "app/UiStrings.h"
#include "app/comm_link_real/RealCommLink.h"
#include "controls/CDropButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "pages/MVideoSettingDlg.h"
#include "preview/MShowVideoDlg.h"
#include "preview/PreviewSession.h"
#include "support/DevsimProcess.h"
#include "support/WxTestApp.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <wx/frame.h>

#include <fstream>

namespace {

// The main dialog's preview side, as the working area does it.
class PreviewMainDialog : public RecordingMainDialog {
  public:
    PreviewSession* Session = nullptr;
    MVideoSettingDlg* Page = nullptr;
    void OnDeviceReply(uint32_t slot, int32_t argument) override {
        RecordingMainDialog::OnDeviceReply(slot, argument);
        if (slot == 1 && Session) Session->SetPreviewOn(GetDeviceState().PreviewEnabled);
    }
    void PushPreviewPacket(uint32_t channel, const uint8_t* data, uint32_t length) override {
        if (Session) Session->PushPacket(channel, data, length);
    }
    void UpdateVideoEncoderPage() override {
        RecordingMainDialog::UpdateVideoEncoderPage();
        if (Page) Page->UpdateFromDevice();
    }
};

uint8_t LastOctet(const std::string& ip) {
    in_addr a{};
    inet_pton(AF_INET, ip.c_str(), &a);
    return static_cast<uint8_t>(ntohl(a.s_addr) & 0xFF);
}

} // namespace

TEST(PreviewEndToEnd, TheDevicesStreamReachesThePanesAndItsEncoderTakesAPackage) {
    ::setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
    testsupport::ScratchFolder scratch;
    const std::string ip = testsupport::FreeDeviceAddress(41);
    testsupport::DevsimProcess devsim;
    ASSERT_TRUE(devsim.Start(
        {"--device", ip, "--preview", std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));

    auto* owner = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(800, 0), wxSize(400, 460));
    auto* page = new MVideoSettingDlg;
    page->Create(owner, wxRect(0, 0, 320, 400));
    page->OnInitDialog();
    owner->Show();
    auto session = std::make_unique<PreviewSession>(owner);
    session->ShowWindow(true);
    session->Window()->PopupHost()->Move(0, 0);

    ResetDeviceState();
    PreviewMainDialog dialog;
    dialog.Session = session.get();
    dialog.Page = page;
    TheMainDialog = &dialog;
    RealCommLink link;
    SetCommLink(&link);
    RegisterReplyCallbacks();
    DeviceId = LastOctet(ip);
    ASSERT_EQ(link.ConnectNet(ip, DevicePort), 0);
    ASSERT_EQ(link.SelectDevice(ip), 0);
    auto pumpUntil = [&](auto done, int ms) {
        return PumpUntil(
            [&] {
                link.DispatchReplies();
                return done();
            },
            ms);
    };

    // HELLO is answered with the preview on: the channels start and the panes fill.
    ASSERT_TRUE(pumpUntil([&] { return session->Channels() != nullptr; }, 5000));
    EXPECT_TRUE(pumpUntil(
        [&] {
            for (int i = 0; i < 4; ++i)
                if (session->Window()->Pane(i).PicturesDrawn() < 20) return false;
            return true;
        },
        8000));
    EXPECT_GE(session->Channels()->Main().GetCounters().PicturesDecoded, 20u);

    // The encoder's settings, address and version, one asking for the next.
    ASSERT_EQ(GetDeviceState().SendCommand(CmdQueryEncoder, 2), 0);
    ASSERT_TRUE(pumpUntil([&] { return page->GetEncoderIp() == ip; }, 5000))
        << ::testing::PrintToString(dialog.Calls) << " ip " << page->GetEncoderIp();
    EXPECT_TRUE(pumpUntil(
        [&] { return FindKitControl<SkinStatic>(page, 1571)->GetLabel() == "Version:0203"; }, 3000));
    // The device's first setting (code 1, 352 x 240) has no quality preset: the page shows its rates.
    EXPECT_EQ(FindKitControl<oRealEdit>(page, 1565)->GetValue(), "30");
    // "Ultra Clear" chosen on the page: the device takes it and its answer fills the edits.
    FindKitControl<CDropButton>(page, MVideoSettingDlg::QualityListId)->OnDropListSelChanged(3);
    EXPECT_TRUE(pumpUntil([&] { return FindKitControl<oRealEdit>(page, 1565)->GetValue() == "7"; }, 3000));
    EXPECT_EQ(FindKitControl<oRealEdit>(page, 1566)->GetValue(), "8192");

    // The package goes to the device's own encoder server and the page says so.
    const std::string package = scratch.Path() + "VP_venc.tar.gz";
    {
        std::ofstream out(package, std::ios::binary);
        for (int i = 0; i < 9000; ++i)
            out.put(static_cast<char>(i));
    }
    ASSERT_TRUE(page->ChoosePackage(package));
    ASSERT_TRUE(page->StartUpload());
    EXPECT_FALSE(page->StartUpload()) << "a second upload while one runs";
    EXPECT_TRUE(pumpUntil(
        [&] {
            return FindKitControl<SkinStatic>(page, 1570)->GetLabel() == wxString::FromUTF8(UiStrings[143]);
        },
        8000));

    link.Close();
    SetCommLink(nullptr);
    TheMainDialog = nullptr;
    session.reset();
    owner->Destroy();
    Pump(50);
    devsim.Stop();
}
