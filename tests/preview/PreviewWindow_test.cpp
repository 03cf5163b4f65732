// The preview window on the test run's X server: four panes, each showing its quadrant of the
// quadrant test stream (test pattern, red, green, blue) as it goes through channel 0.
#include "controls/PopupPageHost.h"
#include "controls/SkinStatic.h"
#include "preview/MShowVideoDlg.h"
#include "preview/PreviewTestStreams.h"
#include "preview/channel/PreviewChannels.h"
#include "support/WxTestApp.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/image.h>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace {

class PreviewWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(900, 700), wxSize(200, 100));
        Owner->Show();
        Window = CreatePreviewWindow(Owner, wxRect(0, 0, 760, 560));
        ASSERT_NE(Window, nullptr);
        Window->ShowPage(true);
        Window->PopupHost()->Move(0, 0);
        Pump(200);
        Stream = ReadTestStream(QuadStream);
        ASSERT_FALSE(Stream.empty());
    }
    void TearDown() override {
        if (Window) Window->RebuildPanes(nullptr);
        Channels.StopAll();
        if (Owner) Owner->Destroy();
        Pump(50);
    }

    // The stream in ~1,400-byte pieces, as the device sends it, while the UI thread keeps running.
    void Stream352x240(int rounds = 1) {
        for (int round = 0; round < rounds; ++round)
            for (const auto& piece : CutEvenly(Stream, 1400)) {
                Channels.PushPacket(0, piece.data(), piece.size());
                Pump(3);
            }
        Pump(300);
    }

    // The colour of a screen pixel, from a photograph of the window.
    static wxImage Photograph(const wxRect& area, const std::string& name) {
        const std::filesystem::path folder = VELKAN_ARTIFACTS_DIR;
        std::filesystem::create_directories(folder);
        const std::string shot = (folder / name).string();
        std::filesystem::remove(shot);
        const std::string command = "import -window root -crop " + std::to_string(area.width) + "x" +
                                    std::to_string(area.height) + "+" + std::to_string(area.x) + "+" +
                                    std::to_string(area.y) + " +repage " + shot;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        wxImage image;
        EXPECT_TRUE(image.LoadFile(shot, wxBITMAP_TYPE_PNG));
        return image;
    }

    wxFrame* Owner = nullptr;
    MShowVideoDlg* Window = nullptr;
    PreviewChannels Channels;
    std::vector<uint8_t> Stream;
};

std::array<int, 3> Rgb(const wxImage& image, const wxPoint& p) {
    return {image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y)};
}

} // namespace

TEST_F(PreviewWindowTest, EachPaneShowsItsQuadrantOfTheStream) {
    Channels.StartPreview(352, 240);
    Window->RebuildPanes(&Channels);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(Window->Pane(i).HasSDL()) << "pane " << i;
        EXPECT_TRUE(Window->Pane(i).IsRegistered()) << "pane " << i;
    }
    Stream352x240();
    // Decoding runs beside the UI: a loaded machine draws the last pictures later.
    PumpUntil([&] {
        for (int i = 0; i < 4; ++i)
            if (Window->Pane(i).PicturesDrawn() < 5u) return false;
        return true;
    }, 10000);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(Window->Pane(i).PicturesDrawn(), 5u) << "pane " << i;

    const wxRect screen = Window->PopupHost()->GetScreenRect();
    const wxImage image = Photograph(screen, "preview_window.png");
    ASSERT_TRUE(image.IsOk());
    auto centreOf = [&](int pane) {
        const wxRect r = Window->Pane(pane).Window()->GetScreenRect();
        return wxPoint(r.x + r.width / 2 - screen.x, r.y + r.height / 2 - screen.y);
    };
    // Quadrant 1 is red, 2 green, 3 blue (coded as YUV, so only near the pure colours).
    const auto red = Rgb(image, centreOf(1)), green = Rgb(image, centreOf(2)), blue = Rgb(image, centreOf(3));
    EXPECT_GT(red[0], 200);
    EXPECT_LT(red[1], 60);
    EXPECT_LT(red[2], 60);
    EXPECT_LT(green[0], 60);
    EXPECT_GT(green[1], 100);
    EXPECT_LT(green[2], 60);
    EXPECT_LT(blue[0], 60);
    EXPECT_LT(blue[1], 60);
    EXPECT_GT(blue[2], 200);
    // Quadrant 0 is the test pattern: many colours across the pane, none of them the only one.
    const wxRect pane0 = Window->Pane(0).Window()->GetScreenRect();
    std::set<std::array<int, 3>> seen;
    for (int x = 4; x < pane0.width - 4; x += 12) {
        auto c = Rgb(image, wxPoint(pane0.x - screen.x + x, pane0.y - screen.y + pane0.height / 3));
        for (int& v : c)
            v /= 40;
        seen.insert(c);
    }
    EXPECT_GE(seen.size(), 5u);

    // After a resize the panes show their quadrants in their new places.
    Window->PopupHost()->SetSize(620, 440);
    Pump(200);
    Stream352x240();
    const wxRect resized = Window->PopupHost()->GetScreenRect();
    const wxImage after = Photograph(resized, "preview_window_resized.png");
    ASSERT_TRUE(after.IsOk());
    auto centreNow = [&](int pane) {
        const wxRect r = Window->Pane(pane).Window()->GetScreenRect();
        return wxPoint(r.x + r.width / 2 - resized.x, r.y + r.height / 2 - resized.y);
    };
    EXPECT_GT(Rgb(after, centreNow(1))[0], 200);
    EXPECT_GT(Rgb(after, centreNow(2))[1], 100);
    EXPECT_GT(Rgb(after, centreNow(3))[2], 200);
    // Near the bottom-right corner of pane 3 the picture reaches too (it fills the pane).
    const wxRect p3 = Window->Pane(3).Window()->GetScreenRect();
    EXPECT_GT(Rgb(after, wxPoint(p3.GetRight() - 4 - resized.x, p3.GetBottom() - 4 - resized.y))[2], 200);
}

TEST_F(PreviewWindowTest, PanesCutEachPictureByItsOwnSizeAlsoWhenItChangesMidStream) {
    // Set to 352 x 240 while the device sends other sizes, one after another on one channel.
    Channels.StartPreview(352, 240);
    Window->RebuildPanes(&Channels);
    const wxRect screen = Window->PopupHost()->GetScreenRect();
    for (const QuadStreamSpec& spec : QuadStreams) {
        const std::string size = std::to_string(spec.Width) + "x" + std::to_string(spec.Height);
        const std::vector<uint8_t> stream = MakeQuadStream(spec);
        ASSERT_FALSE(stream.empty()) << "ffmpeg made no " << size << " stream";
        for (const auto& piece : CutEvenly(stream, 1400)) {
            Channels.PushPacket(0, piece.data(), piece.size());
            Pump(3);
        }
        Pump(300);
        const wxImage image = Photograph(screen, "preview_panes_" + size + ".png");
        ASSERT_TRUE(image.IsOk());
        for (int i = 0; i < 4; ++i) {
            const wxRect r = Window->Pane(i).Window()->GetScreenRect();
            for (const wxPoint at : {r.GetTopLeft() + wxPoint(6, 6), r.GetBottomRight() - wxPoint(6, 6)}) {
                const auto c = Rgb(image, at - screen.GetTopLeft());
                EXPECT_EQ(HueOf(c[0], c[1], c[2]), spec.Quadrants[static_cast<size_t>(i)])
                    << size << " pane " << i << " shows " << HueName(HueOf(c[0], c[1], c[2]));
            }
            // The texture holds the quadrant of the picture as it came.
            EXPECT_EQ(Window->Pane(i).Video().TextureWidth(), spec.Width / 2) << size;
            EXPECT_EQ(Window->Pane(i).Video().TextureHeight(), spec.Height / 2) << size;
        }
    }
}

TEST_F(PreviewWindowTest, RebuildingTwiceEntersEachPaneOnce) {
    Channels.StartPreview(352, 240);
    Window->RebuildPanes(&Channels);
    Window->RebuildPanes(&Channels);
    // 240 entries, four taken by the panes: exactly 236 more fit.
    struct Nothing final : YuvFrameView {
        void OnYuvFrame(const H264Picture&) override {}
    };
    std::vector<Nothing> others(237);
    for (size_t i = 0; i < 236; ++i)
        ASSERT_TRUE(Channels.Main().AddView(&others[i], ChannelViewKind::Cell)) << i;
    EXPECT_FALSE(Channels.Main().AddView(&others[236], ChannelViewKind::Cell));
    for (auto& view : others)
        Channels.Main().RemoveView(&view);
}

TEST_F(PreviewWindowTest, AHiddenWindowDrawsNothingButKeepsItsPanesEntered) {
    Channels.StartPreview(352, 240);
    Window->RebuildPanes(&Channels);
    Window->ShowPage(false);
    Pump(100);
    Stream352x240();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Window->Pane(i).PicturesDrawn(), 0u) << "pane " << i;
        EXPECT_TRUE(Window->Pane(i).IsRegistered()) << "pane " << i;
    }
    EXPECT_GT(Channels.Main().GetCounters().PicturesShown, 10u);
}

TEST_F(PreviewWindowTest, PanesAndLabelsFollowTheWindowSizeNeverBelowTheMinimum) {
    Window->PopupHost()->SetSize(600, 400);
    Pump(100);
    const wxSize client = Window->GetClientSize();
    for (int i = 0; i < 4; ++i) {
        const PreviewRect pane = PreviewPaneRect(client.x, client.y, i);
        EXPECT_EQ(Window->Pane(i).Window()->GetRect(), wxRect(pane.Left, pane.Top, pane.Width, pane.Height));
        const PreviewRect label = PreviewLabelRect(client.x, client.y, i);
        EXPECT_EQ(Window->Label(i)->GetRect(), wxRect(label.Left, label.Top, 80, 20));
        EXPECT_EQ(Window->Label(i)->GetId(), 1560 + i);
    }
    Window->PopupHost()->SetSize(100, 100);
    Pump(100);
    EXPECT_GE(Window->PopupHost()->GetSize().x, 320);
    EXPECT_GE(Window->PopupHost()->GetSize().y, 250);
}

namespace {
void SendMouse(wxWindow* page, wxEventType type, int x, int y) {
    wxMouseEvent e(type);
    e.m_x = x;
    e.m_y = y;
    e.m_leftDown = type != wxEVT_LEFT_UP;
    e.SetEventObject(page);
    page->ProcessWindowEvent(e);
}
} // namespace

TEST_F(PreviewWindowTest, TheCaptionMovesTheWindow) {
    wxWindow* host = Window->PopupHost();
    host->SetSize(100, 80, 600, 400);
    Pump(150);
    const wxRect before = host->GetScreenRect();
    // The caption: the top 26 pixels, away from the edges and the caption buttons.
    SendMouse(Window, wxEVT_LEFT_DOWN, 200, 12);
    SendMouse(Window, wxEVT_MOTION, 240, 42);
    SendMouse(Window, wxEVT_LEFT_UP, 240, 42);
    Pump(150);
    EXPECT_EQ(host->GetScreenRect(), wxRect(before.x + 40, before.y + 30, before.width, before.height));
}
