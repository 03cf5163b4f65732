// The working area window itself under the test run's X server: its cells follow the device
// state through the refresh operations, a finished drag becomes command 4, Ctrl + wheel zooms
// only where it should, and the preview's channels and cell views come and go with slot 1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/time.h>
#include <wx/utils.h>

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "mainwnd/MMainDlg.h"
#include "mainwnd/canvas_geometry/WorkAreaLayout.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "preview/PreviewSession.h"
#include "preview/PreviewTestStreams.h"
#include "support/RecordingCommLink.h"
#include "support/WxTestApp.h"

namespace {

void Screenshot(const std::string& name) {
    std::filesystem::create_directories(VELKAN_ARTIFACTS);
    const std::string command =
        "import -window root '" + std::string(VELKAN_ARTIFACTS) + "/" + name + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

class WorkArea : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDeviceState();
        DeviceState& s = GetDeviceState();
        s.OutputTiming.HActive = 1920;
        s.OutputTiming.VActive = 1080;
        s.LayerWindow[0] = {};
        s.LayerWindow[0].Enable = 1;
        s.LayerWindow[0].Source = 1;
        s.LayerWindow[0].Width = 1920;
        s.LayerWindow[0].Height = 1080;
        s.LayerWindow[1].Enable = 1;
        s.LayerWindow[1].Source = 0;
        s.LayerWindow[1].X = 200;
        s.LayerWindow[1].Y = 100;
        s.LayerWindow[1].Width = 640;
        s.LayerWindow[1].Height = 360;
        Frame = new wxFrame(nullptr, wxID_ANY, "work area", wxPoint(0, 0), wxSize(1200, 560));
        Area = new MMainDlg(Frame);
        Area->MachineAtWorkChanged(true); // a machine chosen: its stream is taken
        Frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return Area->IsShownOnScreen(); }));
        // As the device's layer windows and the PIP page's switches reach the main dialog.
        for (int layer = 0; layer < 4; ++layer) {
            Area->UpdateLayerRect(layer);
            Area->ShowLayerByState(layer);
        }
        Area->Relayout();
        Pump(50);
    }
    void TearDown() override {
        Frame->Destroy();
        Pump(50);
    }
    ScopedRecordingLink Link;
    wxFrame* Frame = nullptr;
    MMainDlg* Area = nullptr;
};

TEST_F(WorkArea, CellsAreTheDevicesLayerWindowsInFrameZero) {
    CCell* main = Area->LayerCell(0);
    CCell* pip = Area->LayerCell(1);
    ASSERT_TRUE(main && pip);
    EXPECT_EQ(pip->OutputRect, (CanvasRect{325, 298, 965, 658}));
    EXPECT_EQ(pip->Label, "PIP-1 : DVI-1");
    EXPECT_EQ(main->Label, "Main : HDMI-1");
    EXPECT_FALSE(pip->IsHidden());
    EXPECT_TRUE(Area->LayerCell(2)->IsHidden()); // PIP-2 is off
    EXPECT_EQ(Area->FrameCell(0)->OutputRect, (CanvasRect{125, 198, 2045, 1278}));
    EXPECT_EQ(Area->FrameCell(0)->Label, "OUTPUT:DVI-1");
    EXPECT_FALSE(Area->FrameCell(0)->IsHidden());
    for (int f = 1; f < 4; ++f)
        EXPECT_TRUE(Area->FrameCell(f)->IsHidden()) << f;
    for (int v = 0; v < 4; ++v)
        EXPECT_TRUE(Area->SwitcherViewCell(v)->IsHidden()) << v;
    EXPECT_EQ(Area->SwitcherViewCell(ViewPgm2)->Label, "PROGRAM-2");
    EXPECT_DOUBLE_EQ(Area->Zoom(), 6.0);
    // At zoom 6 the PIP's canvas rectangle is its output rectangle divided by 6.
    EXPECT_NEAR(pip->Rect.left, 325 / 6.0, 1.0);
    EXPECT_NEAR(pip->Rect.top, 298 / 6.0, 1.0);
    EXPECT_NEAR(pip->Rect.Width(), 640 / 6.0, 1.0);
}

TEST_F(WorkArea, FourPanelMosaicShowsFourFramesAndBindsEachLayerToItsOwn) {
    DeviceState& s = GetDeviceState();
    s.MosaicSettings.Mode = 5;
    s.MosaicSettings.Arrangement = 5;
    s.LayerWindow[3].Enable = 1;
    s.LayerWindow[3].X = 10;
    s.LayerWindow[3].Y = 20;
    s.LayerWindow[3].Width = 100;
    s.LayerWindow[3].Height = 50;
    Area->RelayoutByWorkMode();
    Area->ArrangeOutputFrames(5); // the mosaic page's arrangement event: 2 x 2
    for (int f = 0; f < 4; ++f)
        EXPECT_FALSE(Area->FrameCell(f)->IsHidden()) << f;
    Pump(200);
    Screenshot("workarea_mosaic_x4.png");
    EXPECT_EQ(Area->FrameCell(3)->OutputRect, (CanvasRect{2045, 1278, 3965, 2358}));
    EXPECT_EQ(Area->LayerCell(3)->Origin, (CanvasPoint{2045, 1278}));
    EXPECT_EQ(Area->LayerCell(3)->OutputRect, (CanvasRect{2055, 1298, 2155, 1348}));
    EXPECT_EQ(Area->LayerCell(1)->Origin, (CanvasPoint{2045, 198}));

    // Back to one panel: the extra frames go and every layer returns to frame 0.
    s.MosaicSettings.Mode = 0;
    Area->RelayoutByWorkMode();
    for (int f = 1; f < 4; ++f)
        EXPECT_TRUE(Area->FrameCell(f)->IsHidden()) << f;
    EXPECT_EQ(Area->LayerCell(3)->Origin, (CanvasPoint{125, 198}));
    EXPECT_EQ(Area->LayerCell(1)->OutputRect, (CanvasRect{325, 298, 965, 658}));
}

TEST_F(WorkArea, SwitcherModeOneBindsLayersToProgramAndPreviewViews) {
    DeviceState& s = GetDeviceState();
    s.SwitcherSettings.Mode = 1;
    s.SwitcherSettings.OnProgram[0] = 1;
    s.SwitcherSettings.OnPreview[1] = 1;
    Area->Relayout();
    EXPECT_FALSE(Area->SwitcherViewCell(ViewPvw1)->IsHidden());
    EXPECT_FALSE(Area->SwitcherViewCell(ViewPgm1)->IsHidden());
    EXPECT_TRUE(Area->SwitcherViewCell(ViewPvw2)->IsHidden());
    for (int f = 0; f < 4; ++f)
        EXPECT_TRUE(Area->FrameCell(f)->IsHidden()) << f;
    const CanvasRect pgm = Area->SwitcherViewCell(ViewPgm1)->OutputRect;
    const CanvasRect pvw = Area->SwitcherViewCell(ViewPvw1)->OutputRect;
    EXPECT_GT(pgm.top, pvw.top);
    EXPECT_EQ(Area->LayerCell(0)->Label, "PGM : HDMI-1");
    EXPECT_TRUE(Area->LayerCell(0)->Passive);
    EXPECT_EQ(Area->LayerCell(0)->OutputRect.left, pgm.left);
    EXPECT_EQ(Area->LayerCell(1)->Label, "PVW : DVI-1");
    EXPECT_FALSE(Area->LayerCell(1)->Passive);
    EXPECT_EQ(Area->LayerCell(1)->OutputRect.left, pvw.left + 200);
    Pump(200);
    Screenshot("workarea_switcher_mode1.png");

    // Back to mode 0: labels, frames and views as before.
    s.SwitcherSettings.Mode = 0;
    Area->Relayout();
    EXPECT_EQ(Area->LayerCell(0)->Label, "Main : HDMI-1");
    EXPECT_EQ(Area->LayerCell(1)->Label, "PIP-1 : DVI-1");
    EXPECT_FALSE(Area->LayerCell(0)->Passive);
    EXPECT_TRUE(Area->SwitcherViewCell(ViewPvw1)->IsHidden());
    EXPECT_FALSE(Area->FrameCell(0)->IsHidden());
    EXPECT_EQ(Area->LayerCell(1)->OutputRect, (CanvasRect{325, 298, 965, 658}));
}

TEST_F(WorkArea, FinishedDragStoresTheLayerWindowAndSendsCommandFour) {
    CCell* pip = Area->LayerCell(1);
    pip->OutputRect = {425, 348, 1065, 708};
    SendMsg(Area, MCellSelected, 1, 0);
    SendMsg(Area, MCellChanged, 1, 0);
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.LayerWindow[1].X, 300);
    EXPECT_EQ(s.LayerWindow[1].Y, 150);
    EXPECT_EQ(s.LayerWindow[1].Width, 640);
    EXPECT_EQ(s.CurrentLayer, 1);
    EXPECT_EQ(Area->CurrentLayer(), 1);
    const auto sent = Link.Link.CallsOf("SendCommand");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, uint32_t{CmdLayerWindow});
    ASSERT_GE(sent[0].Bytes.size(), 9u);
    EXPECT_EQ(sent[0].Bytes[0], 1);
    EXPECT_EQ(sent[0].Bytes[1] | (sent[0].Bytes[2] << 8), 300);

    // Left of its frame's origin: the device gets X = 0, never a negative position.
    pip->OutputRect = {100, 298, 740, 658};
    SendMsg(Area, MCellChanged, 1, 0);
    EXPECT_EQ(GetDeviceState().LayerWindow[1].X, 0);

    // A frame's change only re-lays the canvas: nothing goes to the device.
    SendMsg(Area, MCellChanged, 255, 1);
    EXPECT_EQ(Link.Link.CallsOf("SendCommand").size(), 2u);
}

wxMouseEvent Wheel(int rotation, bool control, bool shift) {
    wxMouseEvent e(wxEVT_MOUSEWHEEL);
    e.m_wheelRotation = rotation;
    e.m_wheelDelta = 120;
    e.m_controlDown = control;
    e.m_shiftDown = shift;
    return e;
}

TEST_F(WorkArea, CtrlWheelZoomsTheCanvasAndItsCells) {
    wxMouseEvent in = Wheel(120, true, false);
    Area->GetEventHandler()->ProcessEvent(in);
    EXPECT_DOUBLE_EQ(Area->Zoom(), 5.5);
    EXPECT_DOUBLE_EQ(Area->Canvas()->Model().Scale.x, 5.5);
    // The cells follow the new scale.
    EXPECT_NEAR(Area->LayerCell(1)->Rect.left, 325 / 5.5, 1.0);
}

std::vector<uint8_t> ReadStream() {
    std::ifstream in(std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(WorkArea, PreviewOnMakesChannelsAndShowsPicturesInTheCellsAndOffFreesThem) {
    DeviceState& s = GetDeviceState();
    EXPECT_EQ(Area->Preview()->Channels(), nullptr);
    s.PreviewEnabled = 1;
    Area->CheckPreviewState();
    Pump(50);
    ASSERT_NE(Area->Preview()->Channels(), nullptr);
    EXPECT_TRUE(Area->PreviewShown());
    EXPECT_TRUE(Area->LayerViewRegistered(0));
    EXPECT_TRUE(Area->LayerViewRegistered(1));
    EXPECT_EQ(Area->LayerCell(1)->Label, "PIP-1 : DVI-1");
    EXPECT_EQ(Area->LayerCell(1)->OutputRect, (CanvasRect{325, 298, 965, 658}));
    // Quadrant 1 for PIP-1: its window (200, 100) 640 x 360 in 176 x 120 quadrants.
    EXPECT_EQ(Area->LayerCell(1)->SourceRect, (PixelArea{176 + 18, 11, 59, 40}));

    // A repeated report rebuilds nothing.
    CCell* before = Area->LayerCell(0);
    Area->CheckPreviewState();
    EXPECT_EQ(Area->LayerCell(0), before);

    const std::vector<uint8_t> stream = ReadStream();
    ASSERT_FALSE(stream.empty());
    for (size_t at = 0; at < stream.size(); at += 1400)
        Area->PushPreviewPacket(0, stream.data() + at,
                                static_cast<uint32_t>(std::min<size_t>(1400, stream.size() - at)));
    if (Area->LayerCell(0)->HasVideoView()) {
        EXPECT_TRUE(PumpUntil([&] { return Area->LayerCell(0)->PicturesShown > 0; }, 5000));
    }
    EXPECT_GT(Area->Preview()->Channels()->Main().GetCounters().PicturesDecoded, 0u);
    // Packets for the channels that never run are dropped, numbers beyond them refused.
    Area->PushPreviewPacket(2, stream.data(), 100);
    Area->PushPreviewPacket(9, stream.data(), 100);
    // No machine at work: the cells drop their picture, the channel its decoder, and the stream
    // is not taken; the views stay registered for the next machine.
    const uint64_t accepted = Area->Preview()->Channels()->Main().GetCounters().PacketsAccepted;
    Area->MachineAtWorkChanged(false);
    EXPECT_EQ(Area->LayerCell(0)->TextureWidth(), 0);
    Area->PushPreviewPacket(0, stream.data(), 1400);
    EXPECT_EQ(Area->Preview()->Channels()->Main().GetCounters().PacketsAccepted, accepted);
    EXPECT_TRUE(Area->LayerViewRegistered(0));

    s.PreviewEnabled = 0;
    Area->CheckPreviewState();
    Pump(50);
    EXPECT_EQ(Area->Preview()->Channels(), nullptr);
    EXPECT_FALSE(Area->LayerViewRegistered(0));
    ASSERT_NE(Area->LayerCell(0), nullptr);
    Area->PushPreviewPacket(0, stream.data(), 100); // dropped without channels
}

TEST_F(WorkArea, CellsCutEachPictureByItsOwnSizeAlsoWhenItChangesMidStream) {
    GetDeviceState().PreviewEnabled = 1;
    Area->CheckPreviewState();
    Pump(50);
    CCell* main = Area->LayerCell(0);
    CCell* pip = Area->LayerCell(1);
    if (!main->HasVideoView() || !pip->HasVideoView()) GTEST_SKIP() << "no SDL video on this display";
    // Set to 352 x 240 while the device sends other sizes, one after another: MAIN shows
    // quadrant 0, PIP-1 quadrant 1.
    for (const QuadStreamSpec& spec : QuadStreams) {
        const std::string size = std::to_string(spec.Width) + "x" + std::to_string(spec.Height);
        const std::vector<uint8_t> stream = MakeQuadStream(spec);
        ASSERT_FALSE(stream.empty()) << "ffmpeg made no " << size << " stream";
        for (size_t at = 0; at < stream.size(); at += 1400) {
            Area->PushPreviewPacket(0, stream.data() + at,
                                    static_cast<uint32_t>(std::min<size_t>(1400, stream.size() - at)));
            Pump(3);
        }
        ASSERT_TRUE(PumpUntil([&] { return main->PictureWidth() == spec.Width; }, 5000)) << size;
        Pump(300);
        const std::string shot = std::string(VELKAN_ARTIFACTS) + "/workarea_cells_" + size + ".png";
        Screenshot("workarea_cells_" + size + ".png");
        wxImage image;
        ASSERT_TRUE(image.LoadFile(shot, wxBITMAP_TYPE_PNG));
        const wxRect m = main->ViewWindow()->GetScreenRect(), p = pip->ViewWindow()->GetScreenRect();
        const std::pair<wxPoint, Hue> probes[] = {
            {wxPoint(m.x + m.width * 3 / 4, m.y + m.height * 3 / 4), spec.Quadrants[0]},
            {wxPoint(p.x + p.width / 2, p.y + p.height * 3 / 4), spec.Quadrants[1]}};
        for (const auto& [at, hue] : probes) {
            const auto shown =
                HueOf(image.GetRed(at.x, at.y), image.GetGreen(at.x, at.y), image.GetBlue(at.x, at.y));
            EXPECT_EQ(shown, hue) << size << " at " << at.x << "," << at.y << " shows " << HueName(shown);
        }
        // PIP-1's texture holds only its part of quadrant 1, taken at the picture's size.
        EXPECT_EQ(pip->TextureWidth(), pip->SourceRect.width + (pip->SourceRect.x & 1)) << size;
        EXPECT_EQ(pip->SourceRect, CellSourceRect(1, spec.Width, spec.Height, 200, 100, 640, 360, 1920, 1080))
            << size;
    }
}

TEST_F(WorkArea, PreviewResolutionCodesSetTheViewsSize) {
    GetDeviceState().PreviewEnabled = 1;
    Area->CheckPreviewState();
    Area->SetPreviewResolution(16);
    EXPECT_EQ(Area->Canvas()->PreviewWidth(), 1280);
    EXPECT_EQ(Area->Canvas()->PreviewHeight(), 720);
    EXPECT_TRUE(Area->LayerViewRegistered(0));
    Area->SetPreviewResolution(2); // no such code
    EXPECT_EQ(Area->Canvas()->PreviewWidth(), 1280);
}

TEST_F(WorkArea, MainShowsByItsLayerSwitchLikeThePips) {
    DeviceState& s = GetDeviceState();
    for (const uint8_t enable : {uint8_t{0}, uint8_t{1}}) {
        SCOPED_TRACE(int(enable));
        s.LayerWindow[0].Enable = enable;
        Area->EnableLayerCells(true, true);
        EXPECT_EQ(Area->LayerCell(0)->IsHidden(), enable == 0);
        // The preview's start makes the cells again, shown by the same switch.
        s.PreviewEnabled = 1;
        Area->CheckPreviewState();
        Pump(50);
        EXPECT_EQ(Area->LayerCell(0)->IsHidden(), enable == 0);
        s.PreviewEnabled = 0;
        Area->CheckPreviewState();
        Pump(50);
    }
}

TEST_F(WorkArea, LockOutputHidesLayersAndLogoUsageRelabelsPip3) {
    DeviceState& s = GetDeviceState();
    Area->EnableLayerCells(false, true);
    EXPECT_TRUE(Area->LayerCell(1)->IsHidden());
    // A relayout or a layer-window reply leaves them hidden, and the frames movable.
    Area->RelayoutByWorkMode();
    Area->UpdateLayerRect(1);
    EXPECT_TRUE(Area->LayerCell(1)->IsHidden());
    EXPECT_FALSE(Area->FrameCell(0)->Passive);
    Area->EnableLayerCells(true, true);
    EXPECT_FALSE(Area->LayerCell(1)->IsHidden());
    EXPECT_TRUE(Area->LayerCell(2)->IsHidden());

    s.LogoSettings.Pip3Usage = 1;
    s.LogoSettings.Enable = 1;
    s.LogoShownSlot = 0;
    s.LogoSettings.HPos[0] = 40;
    s.LogoSettings.VPos[0] = 30;
    s.LogoSettings.Width[0] = 200;
    s.LogoSettings.Height[0] = 100;
    Area->UpdateLogoLayer(1);
    EXPECT_EQ(Area->LayerCell(3)->Label, "LOGO");
    EXPECT_TRUE(Area->LayerCell(3)->Passive);
    EXPECT_FALSE(Area->LayerCell(3)->IsHidden());
    EXPECT_EQ(Area->LayerCell(3)->OutputRect, (CanvasRect{165, 228, 365, 328}));
    s.LogoSettings.Pip3Usage = 0;
    Area->UpdateLogoLayer(1);
    EXPECT_EQ(Area->LayerCell(3)->Label.rfind("PIP-3 : ", 0), 0u);
    EXPECT_TRUE(Area->LayerCell(3)->IsHidden()); // PIP-3 itself is off
}

// A test pattern turns the layer cells into frames and back: the working area reaches them in both
// states, a preview rebuild meanwhile replaces them (no second set), and "off" makes them layers
// again whose drag reaches the device.
TEST_F(WorkArea, LayerCellsAreReachedWhateverTheirFrameFlagSays) {
    DeviceState& s = GetDeviceState();
    const size_t cells = Area->Canvas()->Model().Cells.size();
    Area->SetLayerCellsFrameFlag(true);
    for (int layer = 0; layer < 4; ++layer) {
        ASSERT_NE(Area->LayerCell(layer), nullptr) << layer;
        EXPECT_TRUE(Area->LayerCell(layer)->IsFrame) << layer;
    }
    // A pressed layer becomes the current one and comes on top.
    SendMsg(Area, MCellSelected, 0, 0);
    EXPECT_EQ(Area->Canvas()->Model().Cells.back().get(), Area->LayerCell(0));
    // A zoom meanwhile takes the cells' views along.
    wxMouseEvent in = Wheel(120, true, false);
    Area->GetEventHandler()->ProcessEvent(in);
    for (int layer = 0; layer < 2; ++layer) {
        const CCell* cell = Area->LayerCell(layer);
        if (!cell->ViewWindow()) continue;  // no video views here: the canvas draws the cells
        EXPECT_EQ(cell->ViewWindow()->GetPosition(), wxPoint(cell->Rect.left, cell->Rect.top)) << layer;
    }
    s.PreviewEnabled = 1;
    Area->CheckPreviewState();
    Pump(50);
    EXPECT_EQ(Area->Canvas()->Model().Cells.size(), cells);
    ASSERT_NE(Area->LayerCell(1), nullptr);
    EXPECT_TRUE(Area->LayerCell(1)->IsFrame);

    Area->SetLayerCellsFrameFlag(false);
    for (const auto& c : Area->Canvas()->Model().Cells) {
        if (c->Order < 4) {
            EXPECT_FALSE(c->IsFrame) << c->Order;
        }
    }
    CCell* pip = Area->LayerCell(1);
    pip->OutputRect = {425, 348, 1065, 708};
    SendMsg(Area, MCellChanged, 1, 0);
    const auto sent = Link.Link.CallsOf("SendCommand");
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().Command, uint32_t{CmdLayerWindow});
    EXPECT_EQ(s.LayerWindow[1].X, 300);
}

// Mosaic x2 binds PIP-1 to frame 1; "Panel x 3" without an arrangement yet binds it to none, and a
// zoom then must not clamp it by frame 1's rectangle at the old zoom: the cell is drawn where its
// output window is, and a small move keeps its true size.
TEST_F(WorkArea, ALayerNoFrameHoldsIsNotClampedByAnOldOne) {
    DeviceState& s = GetDeviceState();
    s.LayerWindow[1].X = 1200;
    s.LayerWindow[1].Y = 600;
    s.MosaicSettings.Mode = 2;
    s.MosaicCell = 0;
    Area->ArrangeOutputFrames(0);
    Area->RelayoutByWorkMode();
    CCell* pip = Area->LayerCell(1);
    ASSERT_EQ(pip->Origin, (CanvasPoint{2045, 198}));
    s.MosaicSettings.Mode = 4;
    s.MosaicCell = 8;
    Area->RelayoutByWorkMode();
    wxMouseEvent in = Wheel(120, true, false);
    Area->GetEventHandler()->ProcessEvent(in);
    ASSERT_DOUBLE_EQ(Area->Zoom(), 5.5);
    const CanvasModel& m = Area->Canvas()->Model();
    EXPECT_EQ(pip->Rect, OutputToCanvas(pip->OutputRect, m.Scale, m.Client));
    EXPECT_EQ(LayerWindowOfCell(*pip), (CellLayerWindow{1200, 600, 640, 360}));

    // Bound again (the device names its arrangement): the limit is frame 1 as drawn at this zoom.
    s.MosaicCell = 2;
    Area->ArrangeOutputFrames(2);
    Area->RelayoutByWorkMode();
    EXPECT_EQ(pip->LimitRect, OutputToCanvas(Area->FrameCell(1)->OutputRect, m.Scale, m.Client));
    EXPECT_EQ(LayerWindowOfCell(*pip), (CellLayerWindow{1200, 600, 640, 360}));
}

} // namespace
