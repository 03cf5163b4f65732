// The canvas window under the test run's X server: cells with SDL video views on native child
// windows, a preview picture drawn into a view, and a real mouse drag of a layer cell whose
// result reaches the device as the layer-window command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/panel.h>
#include <wx/time.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "mainwnd/CPictureCtrl.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "support/RecordingCommLink.h"
#include "support/WxTestApp.h"

namespace {

// The shared wx start-up, plus SDL video for the cells' views.
class WxEnvironment : public WxTestEnvironment {
  public:
    void SetUp() override {
        WxTestEnvironment::SetUp();
        ASSERT_TRUE(CPictureCtrl::StartVideo());
    }
    void TearDown() override {
        CPictureCtrl::StopVideo();
        WxTestEnvironment::TearDown();
    }
};
const auto* const Env = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

std::string Screenshot(const std::string& name) {
    std::filesystem::create_directories(CANVAS_ARTIFACTS_DIR);
    const std::string path = std::string(CANVAS_ARTIFACTS_DIR) + "/" + name;
    const std::string command = "import -window root '" + path + "' 2>/dev/null";
    return std::system(command.c_str()) == 0 ? path : std::string();
}

// The working area's part in a drag, as the canvas's parent: a finished change of a layer cell
// becomes that layer's window in the device state and the layer-window command.
struct Message {
    unsigned Id;
    WPARAM W;
    LPARAM L;
};

class CanvasHost : public wxPanel {
  public:
    explicit CanvasHost(wxWindow* parent) : wxPanel(parent), Map(this) {
        Canvas = new CPictureCtrl(this, wxID_ANY, wxPoint(0, 0), wxSize(1000, 700));
        for (unsigned id : {MCellSelected, MCellChanged, MCanvasCommand}) {
            Map.On(id, [this, id](WPARAM w, LPARAM l) -> LRESULT {
                Received.push_back({id, w, l});
                if (id == MCellChanged && l == 0) CommitLayer(static_cast<uint32_t>(w));
                return 0;
            });
        }
    }
    void CommitLayer(uint32_t layer) {
        const CCell* cell = Canvas->FindCellByKey(layer);
        if (!cell || layer >= LayerCount) return;
        const CellLayerWindow window = LayerWindowOfCell(*cell);
        DeviceState& s = GetDeviceState();
        s.LayerWindow[layer].X = window.X;
        s.LayerWindow[layer].Y = window.Y;
        s.LayerWindow[layer].Width = window.Width;
        s.LayerWindow[layer].Height = window.Height;
        s.SendCommand(CmdLayerWindow, static_cast<uint8_t>(layer));
    }
    size_t Count(unsigned id) const {
        size_t n = 0;
        for (const Message& m : Received)
            n += m.Id == id ? 1 : 0;
        return n;
    }

    CPictureCtrl* Canvas;
    MessageMap Map;
    std::vector<Message> Received;
};

const CanvasRect Frame0Output{125, 198, 2045, 1278};

// Frame 0 and two layer cells at scale 3, as the working area lays them out.
class CanvasWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDeviceState();
        Frame = new wxFrame(nullptr, wxID_ANY, "canvas", wxPoint(0, 0), wxSize(1000, 700));
        Host = new CanvasHost(Frame);
        Frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return Host->Canvas->IsShownOnScreen(); }));
        Pump(100);
        CPictureCtrl& c = *Host->Canvas;
        c.Model().Grid = true;
        c.SetScale(3.0, 3.0);
        Output = c.AddFrameCell(125, 198, "OUTPUT:DVI-1");
        Output->Passive = Output->OutlineOnly = true;
        // Layer windows (199, 201) and (1000, 500) inside frame 0: whole canvas pixels at scale 3.
        Main = AddLayer(0, 199, 201, 960, 540, "Main : DVI-1");
        Pip = AddLayer(1, 1000, 500, 720, 405, "PIP-1 : HDMI-1");
        c.Refresh();
        Pump(200);
    }
    CCell* AddLayer(uint32_t layer, int x, int y, int w, int h, const char* label) {
        CPictureCtrl& c = *Host->Canvas;
        CCell* cell = c.AddLayerCell(x, y, w, h, label, layer);
        c.SetCellLimitRect(cell, Frame0Output);
        c.SetCellRect(cell->OutputRect, cell);
        return cell;
    }
    void TearDown() override {
        Frame->Destroy();
        Pump(50);
    }
    wxPoint ScreenOf(int x, int y) { return Host->Canvas->ClientToScreen(wxPoint(x, y)); }

    ScopedRecordingLink Link;
    wxFrame* Frame = nullptr;
    CanvasHost* Host = nullptr;
    CCell* Output = nullptr;
    CCell* Main = nullptr;
    CCell* Pip = nullptr;
};

TEST_F(CanvasWindow, LayerCellsGetVideoViewsOnTheirOwnWindows) {
    EXPECT_EQ(Output->Rect, (CanvasRect{42, 66, 682, 426}));
    EXPECT_EQ(Main->Rect, (CanvasRect{108, 133, 428, 313}));
    ASSERT_NE(Main->ViewWindow(), nullptr);
    EXPECT_TRUE(Main->HasVideoView());
    EXPECT_TRUE(Pip->HasVideoView());
    EXPECT_EQ(Output->ViewWindow(), nullptr); // frames are drawn by the canvas only
    EXPECT_EQ(Main->ViewWindow()->GetRect(), wxRect(108, 133, 320, 180));
    EXPECT_EQ(Host->Canvas->AddLayerCell(0, 0, 10, 10, "again", 0), nullptr); // one cell per layer
    Host->Canvas->ShowCell(Pip, false);
    EXPECT_TRUE(Pip->IsHidden());
    EXPECT_FALSE(Pip->ViewWindow()->IsShown());
    Host->Canvas->ShowCell(Pip, true);
    EXPECT_FALSE(Pip->IsHidden());
    EXPECT_TRUE(Pip->ViewWindow()->IsShown());
}

// The preview channels' view table, as the working area keeps it.
struct RecordingRegistry : CellViewRegistry {
    std::vector<std::pair<uint32_t, CCell*>> Attached;
    std::vector<CCell*> Detached;
    void AttachView(uint32_t channel, CCell* cell) override { Attached.push_back({channel, cell}); }
    void DetachView(CCell* cell) override { Detached.push_back(cell); }
};

TEST_F(CanvasWindow, LayerCellsLeaveTheChannelsBeforeTheyAreDeleted) {
    RecordingRegistry registry;
    CPictureCtrl& c = *Host->Canvas;
    c.AttachCellToChannel(0, Main); // without channels the view is only shown
    EXPECT_TRUE(registry.Attached.empty());
    c.SetViewRegistry(&registry);
    c.AttachCellToChannel(0, Main);
    c.AttachCellToChannel(0, Pip);
    ASSERT_EQ(registry.Attached.size(), 2u);
    EXPECT_EQ(registry.Attached[0], std::make_pair(0u, Main));
    c.RemoveAllCells();
    EXPECT_EQ(registry.Detached.size(), 2u);
    EXPECT_EQ(c.FindCellByKey(0), nullptr);
    EXPECT_EQ(c.Model().Cells.size(), 1u); // the frame stays
    c.SetViewRegistry(nullptr);
    c.DeleteAllCells();
    EXPECT_TRUE(c.Model().Cells.empty());
}

// A 352 x 240 I420 picture whose quadrants are red, green, blue and white.
struct QuadrantPicture {
    static constexpr int W = 352, H = 240, CH = 120;
    std::vector<uint8_t> Y = std::vector<uint8_t>(384 * H), U = std::vector<uint8_t>(192 * CH),
                         V = std::vector<uint8_t>(192 * CH);
    QuadrantPicture() {
        // BT.601 studio range: red, green, blue, white
        const uint8_t yuv[4][3] = {{81, 90, 240}, {145, 54, 34}, {41, 240, 110}, {235, 128, 128}};
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const int q = (x >= W / 2 ? 1 : 0) + (y >= H / 2 ? 2 : 0);
                Y[y * 384 + x] = yuv[q][0];
                if (x % 2 == 0 && y % 2 == 0) {
                    U[(y / 2) * 192 + x / 2] = yuv[q][1];
                    V[(y / 2) * 192 + x / 2] = yuv[q][2];
                }
            }
        }
    }
    const uint8_t* Planes[3] = {Y.data(), U.data(), V.data()};
    const int Strides[3] = {384, 192, 192};
};

TEST_F(CanvasWindow, PreviewPictureIsDrawnIntoTheView) {
    QuadrantPicture picture;
    Pump(100);
    Pip->OnYuvFrame(QuadrantPicture::W, QuadrantPicture::H, picture.Planes, picture.Strides);
    EXPECT_EQ(Pip->PicturesShown, 1);
    const std::string path = Screenshot("canvas_preview.png");
    ASSERT_FALSE(path.empty()) << "import failed";
    wxImage shot(path);
    ASSERT_TRUE(shot.IsOk());
    // the view shows the whole picture stretched over the cell: sample each quadrant's middle
    const wxRect cell = Pip->ViewWindow()->GetScreenRect();
    const auto sample = [&](double fx, double fy) {
        const int x = cell.x + static_cast<int>(cell.width * fx),
                  y = cell.y + static_cast<int>(cell.height * fy);
        return wxColour(shot.GetRed(x, y), shot.GetGreen(x, y), shot.GetBlue(x, y));
    };
    const wxColour red = sample(0.25, 0.35), green = sample(0.75, 0.35), blue = sample(0.25, 0.75),
                   white = sample(0.75, 0.75);
    EXPECT_GT(red.Red(), 200);
    EXPECT_LT(red.Green(), 60);
    EXPECT_LT(green.Red(), 60);
    EXPECT_GT(green.Green(), 200);
    EXPECT_GT(blue.Blue(), 200);
    EXPECT_LT(blue.Red(), 60);
    EXPECT_GT(white.Red(), 230);
    EXPECT_GT(white.Blue(), 230);
    // a hidden cell ignores pictures
    Pip->SetHidden(true);
    Pip->OnYuvFrame(QuadrantPicture::W, QuadrantPicture::H, picture.Planes, picture.Strides);
    EXPECT_EQ(Pip->PicturesShown, 1);
    // a picture with a stride shorter than its rows is dropped, never read past
    Pip->SetHidden(false);
    const int shortStrides[3] = {100, 50, 50};
    Pip->OnYuvFrame(QuadrantPicture::W, QuadrantPicture::H, picture.Planes, shortStrides);
    EXPECT_EQ(Pip->PicturesShown, 1);
    // a cell without a video view draws nothing
    CCell bare({0, 0, 100, 100});
    bare.OnYuvFrame(QuadrantPicture::W, QuadrantPicture::H, picture.Planes, picture.Strides);
    EXPECT_EQ(bare.PicturesShown, 0);
    EXPECT_FALSE(bare.HasVideoView());
    // a view window without a video view is given up, so the canvas draws the cell itself
    ASSERT_TRUE(bare.CreateViewWindow(Host->Canvas, {}));
    EXPECT_FALSE(bare.CreateVideoView(0, 0));
    bare.DropViewWindow();
    EXPECT_EQ(bare.ViewWindow(), nullptr);
}

TEST_F(CanvasWindow, DraggingALayerPastItsFrameSendsItsWindowWithXZero) {
    wxUIActionSimulator sim;
    const wxPoint start = ScreenOf(250, 220); // inside MAIN, on its video view
    sim.MouseMove(start);
    Pump(80);
    sim.MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return Host->Count(MCellSelected) == 1; }));
    for (int step = 1; step <= 10; ++step) {
        sim.MouseMove(start + wxPoint(-25 * step, 0));
        Pump(40);
    }
    Screenshot("canvas_dragging.png");
    sim.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return Host->Count(MCellChanged) == 1; }));
    Pump(150);
    const std::string path = Screenshot("canvas_after_drag.png");
    ASSERT_FALSE(path.empty()) << "import failed";
    // the view's X window really went along: black where the cell is now, background where it was
    wxImage shot(path);
    ASSERT_TRUE(shot.IsOk());
    const wxPoint now = ScreenOf(Output->Rect.left + 100, 250),
                  before = ScreenOf(400, 180); // old place, clear of PIP-1
    EXPECT_LT(shot.GetRed(now.x, now.y) + shot.GetGreen(now.x, now.y) + shot.GetBlue(now.x, now.y), 30);
    EXPECT_GT(shot.GetRed(before.x, before.y) + shot.GetGreen(before.x, before.y), 300);

    EXPECT_EQ(Host->Received.front().W, 0u); // layer 0
    EXPECT_EQ(Main->Rect.left, Output->Rect.left);
    EXPECT_EQ(Main->ViewWindow()->GetPosition().x, Output->Rect.left);
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.LayerWindow[0].X, 0);
    EXPECT_EQ(s.LayerWindow[0].Y, 201);
    EXPECT_EQ(s.LayerWindow[0].Width, 960);
    EXPECT_EQ(s.LayerWindow[0].Height, 540);
    const auto sends = Link.Link.CallsOf("SendCommand");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].Command, static_cast<uint32_t>(CmdLayerWindow));
    // [0] layer; [1,2] X; [3,4] Y; [5,6] Width; [7,8] Height, low byte first
    const std::vector<uint8_t> head(sends[0].Bytes.begin(), sends[0].Bytes.begin() + 9);
    EXPECT_EQ(head, (std::vector<uint8_t>{0, 0, 0, 201, 0, 0xC0, 0x03, 0x1C, 0x02}));
}

TEST_F(CanvasWindow, ResizingByTheCornerResizesTheVideoViewToo) {
    wxUIActionSimulator sim;
    const wxPoint start = ScreenOf(426, 135); // MAIN's top-right grab band, clear of PIP-1
    sim.MouseMove(start);
    Pump(80);
    sim.MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return Host->Count(MCellSelected) == 1; }));
    EXPECT_EQ(Host->Received.front().W, 0u);
    for (int step = 1; step <= 4; ++step) {
        sim.MouseMove(start + wxPoint(23 * step, -10 * step));
        Pump(40);
    }
    sim.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return Host->Count(MCellChanged) == 1; }));
    Pump(200);
    EXPECT_EQ(Main->Rect, (CanvasRect{108, 95, 518, 313}));
    EXPECT_EQ(Main->ViewWindow()->GetRect(), wxRect(108, 95, 410, 218));
    // only the top and right sides moved in output pixels
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.LayerWindow[0].X, 199);
    EXPECT_EQ(s.LayerWindow[0].Y, 87);
    EXPECT_EQ(s.LayerWindow[0].Width, 1230);
    EXPECT_EQ(s.LayerWindow[0].Height, 654);
    Screenshot("canvas_resized.png");
}

TEST_F(CanvasWindow, FramesPanelsAndSwitcherCaptionsArePainted) {
    CPictureCtrl& c = *Host->Canvas;
    c.SetScale(6.0, 6.0);
    c.ReplaceAllCells();
    Output->SplitType = 3;                                     // four quarters
    CCell* second = c.AddFrameCell(2165, 198, "OUTPUT:DVI-2"); // a frame that is not locked
    second->Tools = c.Tools();
    c.ShowCaptions = true;
    // two layer cells the canvas draws itself (no video view), overlapping each other
    for (uint32_t layer : {2u, 3u}) {
        auto cell = std::make_unique<CCell>();
        cell->Order = layer;
        cell->Label = layer == 2 ? "PIP-2 : DP-1" : "PIP-3 : SDI-1";
        cell->Tools = c.Tools();
        c.Model().PlaceNewCell(*cell, 300 + 600 * (layer - 2), 1500 + 300 * (layer - 2), 1200, 900);
        c.Model().InsertCell(std::move(cell));
    }
    c.Refresh();
    Pump(200);
    EXPECT_EQ(second->Rect, (CanvasRect{361, 33, 681, 213}));
    const std::string path = Screenshot("canvas_frames_captions.png");
    ASSERT_FALSE(path.empty());
    wxImage shot(path);
    ASSERT_TRUE(shot.IsOk());
    const auto colour = [&](int x, int y) {
        const wxPoint p = ScreenOf(x, y);
        return wxColour(shot.GetRed(p.x, p.y), shot.GetGreen(p.x, p.y), shot.GetBlue(p.x, p.y));
    };
    EXPECT_EQ(colour(100, 15), wxColour(0x40, 0x40, 0x40)); // the PREVIEW title strip
    EXPECT_EQ(colour(500, 150), wxColour(0, 77, 235));      // an output frame's fill
    EXPECT_EQ(colour(2, 200), wxColour(0, 255, 0));         // the upper half's green border
    EXPECT_EQ(colour(2, 500), wxColour(255, 0, 0));         // the lower half's red border
    bool yellow = false; // the vertical panel line through frame 0's centre
    for (int y = 160; y < 210; ++y) {
        const wxColour p = colour(181, y);
        yellow = yellow || (p.Red() > 200 && p.Green() > 200 && p.Blue() < 80);
    }
    EXPECT_TRUE(yellow);
    // the canvas-drawn layer cells: black fill, and their common area outlined dotted in
    // RGB(0, 128, 192) along its edge
    EXPECT_EQ(colour(60, 385), wxColour(0, 0, 0));
    bool overlap = false;
    for (int x = 150; x < 250; ++x) {
        overlap = overlap || colour(x, 300) == wxColour(0, 128, 192);
    }
    EXPECT_TRUE(overlap);
}

} // namespace
