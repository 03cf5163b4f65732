// Real key presses through the X server (XTest) and focus changes: these run alone, so no other
// window takes the focus.
#include <cstdlib>
#include <utility>
#include <filesystem>
#include <string>

#include <wx/image.h>
#include <wx/uiaction.h>

#include "KitFixture.h"
#include "controls/CDropButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMyEdit.h"

TEST_F(KitWindow, RealEnterKeyPressIsSwallowedByThePage) {
    auto* edit = new CMyEdit(Page, 1300, wxRect(20, 120, 120, 22));
    edit->SetFocus();
    Pump(50);
    wxUIActionSimulator sim;
    sim.Char(WXK_RETURN);
    sim.Char(WXK_ESCAPE);
    Pump(150);
    EXPECT_TRUE(Page->IsShown());
    EXPECT_EQ(FrameKeys, 0);
}

TEST_F(KitWindow, ColouredEditReportsEnterEscAndFocusLoss) {
    Page->Listen(MEditKeyDown);
    Page->Listen(MEditChar);
    auto* edit = new CMyEdit(Page, 1555, wxRect(20, 60, 160, 22));
    auto* other = new CMyEdit(Page, 1556, wxRect(20, 100, 160, 22));
    edit->SetFocus();
    Pump(50);
    for (int key : {WXK_RETURN, WXK_ESCAPE}) {
        wxKeyEvent e = CharHook(edit, key);
        edit->ProcessWindowEvent(e);
    }
    other->SetFocus();
    Pump(100);
    ASSERT_GE(Page->Count(MEditKeyDown), 3);
    EXPECT_EQ(Page->Got[0].W, 13u);
    EXPECT_EQ(Page->Got[0].L, 1555);
    EXPECT_EQ(Page->Got[1].W, 27u);
    EXPECT_EQ(Page->Got[2].W, 13u);   // focus loss reads as Enter
    EXPECT_EQ(Page->Got[2].L, 1555);
    EXPECT_EQ(FrameKeys, 0);
}

TEST_F(KitWindow, DropListOpensPicksAndClosesWithTheMouse) {
    Page->Listen(MDropListSelChanged);
    auto* drop = new CDropButton;
    ASSERT_TRUE(drop->Create("", Page, 65402, 0x101010, 0x101010, 0xEBEBEB, -1, nullptr, 0x2E2E2E,
                             wxRect(40, 80, 160, 22)));
    for (const char* item : {"Free Run", "Lock To Main Input", "Lock To Genlock"})
        drop->GetList()->AddString(item);
    drop->SetCurSel(0);
    Pump(100);
    wxUIActionSimulator sim;
    const wxRect button = drop->GetScreenRect();
    sim.MouseMove(button.GetPosition() + wxPoint(20, 10));
    Pump(50);
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return drop->IsDroppedDown(); }, 1000));
    // Item 2 of the list, under the button.
    CDropList* list = drop->GetList();
    const wxRect popup = list->GetScreenRect();
    EXPECT_EQ(popup.GetLeft(), button.GetLeft() + 1);
    EXPECT_EQ(popup.GetTop(), button.GetBottom() + 1);
    EXPECT_EQ(popup.GetHeight(), list->ItemHeight() * 3);
    sim.MouseMove(popup.GetPosition() + wxPoint(20, list->ItemHeight() * 2 + list->ItemHeight() / 2));
    Pump(50);
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return Page->Count(MDropListSelChanged) == 1; }, 1000));
    Pump(100);
    EXPECT_FALSE(drop->IsDroppedDown());
    EXPECT_EQ(Page->Got[0].W, 65402u);
    EXPECT_EQ(Page->Got[0].L, 2);
    EXPECT_EQ(drop->GetLabel(), "Lock To Genlock");
    EXPECT_EQ(Page->Count(MDropListSelChanged), 1);
    // A click on the button opens the list; a second click on it closes it again.
    sim.MouseMove(button.GetPosition() + wxPoint(20, 10));
    Pump(300);
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return drop->IsDroppedDown(); }, 1000));
    Pump(300);
    sim.MouseClick();
    Pump(300);
    EXPECT_FALSE(drop->IsDroppedDown());
    EXPECT_EQ(Page->Count(MDropListSelChanged), 1);
}

namespace {
// Moves the real pointer with xdotool, as an operator's mouse would.
void PointerTo(const wxPoint& screen) {
    const std::string command = "xdotool mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}
void ClickHere() { ASSERT_EQ(std::system("xdotool click 1"), 0); }
}  // namespace

TEST_F(KitWindow, DropListPopupClosesWhenThePointerLeavesButtonAndPopup) {
    auto* drop = new CDropButton;
    ASSERT_TRUE(drop->Create("", Page, 65403, 0x101010, 0x101010, 0xEBEBEB, -1, nullptr, 0x2E2E2E,
                             wxRect(40, 80, 160, 22)));
    for (const char* item : {"4000K", "5000K", "6500K", "7500K"})
        drop->GetList()->AddString(item);
    drop->SetCurSel(2);
    Pump(100);
    const wxRect button = drop->GetScreenRect();
    // Each row: where the pointer goes once the pop-up is open, and whether it stays open.
    struct Move {
        const char* where;
        wxPoint offset;   // from the button's top-left corner
        bool open;
    };
    const int listHeight = drop->GetList()->ItemHeight() * 4;
    const Move moves[] = {
        {"across the button", {140, 5}, true},
        {"down into the pop-up", {20, button.height + 4}, true},
        {"to the pop-up's last item", {150, button.height + listHeight - 3}, true},
        {"back up onto the button", {10, 12}, true},
        {"right of the button", {button.width + 30, 10}, false},
    };
    PointerTo(button.GetPosition() + wxPoint(20, 10));
    Pump(100);
    ClickHere();
    ASSERT_TRUE(PumpUntil([&] { return drop->IsDroppedDown(); }, 1000));
    for (const Move& m : moves) {
        PointerTo(button.GetPosition() + m.offset);
        Pump(200);
        EXPECT_EQ(drop->IsDroppedDown(), m.open) << m.where;
    }
    // Opened again, it also closes when the pointer leaves the pop-up below.
    PointerTo(button.GetPosition() + wxPoint(20, 10));
    Pump(300);
    ClickHere();
    ASSERT_TRUE(PumpUntil([&] { return drop->IsDroppedDown(); }, 1000));
    PointerTo(button.GetPosition() + wxPoint(20, button.height + listHeight + 30));
    EXPECT_TRUE(PumpUntil([&] { return !drop->IsDroppedDown(); }, 1000)) << "below the pop-up";
    EXPECT_EQ(drop->GetLabel(), "6500K");   // leaving picks nothing
}

namespace {
// A part of the screen as the X server shows it (ImageMagick's import), kept in the artifacts.
wxImage ScreenShot(const wxRect& area, const std::string& name) {
    std::filesystem::create_directories(VELKAN_ARTIFACTS_DIR);
    const std::string path = std::string(VELKAN_ARTIFACTS_DIR) + "/" + name;
    const std::string command = "import -window root -crop " + std::to_string(area.width) + "x" +
                                std::to_string(area.height) + "+" + std::to_string(area.x) + "+" +
                                std::to_string(area.y) + " '" + path + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return wxImage(path, wxBITMAP_TYPE_PNG);
}
wxColour PixelOf(const wxImage& image, const wxPoint& at) {
    return {image.GetRed(at.x, at.y), image.GetGreen(at.x, at.y), image.GetBlue(at.x, at.y)};
}
}  // namespace

TEST_F(KitWindow, ReportListDrawsEachCellInItsOwnColours) {
    auto* list = new CListCtrlCl(Page, 1177, wxRect(20, 60, 330, 150));
    HeaderSettings header;
    header.Titles = {"NO.", "Ip Address", "Status"};
    header.Widths = {80, 150, 100};
    header.Format = "012";
    list->SetHeader(header);
    list->SetRowHeight(26);
    for (int row = 0; row < 3; ++row) {
        list->InsertItem(row, std::to_string(row + 1));
        list->SetItem(row, 1, wxString::Format("127.0.0.%d", row + 2));
        list->SetItem(row, 2, "online");
    }
    // Row 1: a red address cell beside a blue status cell on the row's green.
    list->SetRowBackgroundColour(1, 0x00A000);
    list->SetCellBackgroundColour(1, 1, 0x0000C0);
    list->SetCellBackgroundColour(1, 2, 0xC00000);
    list->SetCellTextColour(1, 2, 0xFFFFFF);
    list->Refresh();
    Pump(200);
    const wxRect shown = list->GetScreenRect();
    const wxImage shot = ScreenShot(wxRect(shown.x, shown.y - list->HeaderPixelHeight(), shown.width,
                                           shown.height + list->HeaderPixelHeight()),
                                    "report_list_cells.png");
    ASSERT_TRUE(shot.IsOk());
    const int top = list->HeaderPixelHeight();
    // Probes at a cell's lower left corner, clear of its text.
    struct Probe {
        const char* what;
        wxPoint at;
        wxColour colour;
    };
    const Probe probes[] = {
        {"row 1, column 0: the row's colour", {4, top + 26 + 23}, {0, 160, 0}},
        {"row 1, column 1: its own colour", {84, top + 26 + 23}, {192, 0, 0}},
        {"row 1, column 2: its own colour", {234, top + 26 + 23}, {0, 0, 192}},
        {"row 0: the list's colour", {84, top + 23}, {16, 16, 16}},
        {"row 2 keeps the list's colour", {234, top + 52 + 23}, {16, 16, 16}},
        {"below the rows", {84, top + 78 + 10}, {16, 16, 16}},
        {"the header's first pixel row", {84, 0}, {171, 199, 235}},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(PixelOf(shot, p.at), p.colour) << p.what;
    // The status text is drawn white in bold over its cell's blue.
    int white = 0;
    for (int x = 230; x < 330; ++x)
        for (int y = top + 26; y < top + 52; ++y)
            white += PixelOf(shot, {x, y}) == wxColour(255, 255, 255);
    EXPECT_GT(white, 20);
    // Header titles by the format "012": left 3 pixels in, centred, right 3 pixels in (black
    // letters on the light upper part of the band).
    auto inkColumns = [&](const wxImage& image, int left, int right, int y0, int y1, auto isInk) {
        std::pair<int, int> span{-1, -1};
        for (int x = left; x < right; ++x)
            for (int y = y0; y < y1; ++y)
                if (isInk(PixelOf(image, {x, y}))) {
                    if (span.first < 0)
                        span.first = x;
                    span.second = x;
                }
        return span;
    };
    const auto black = [](const wxColour& c) { return c.Red() + c.Green() + c.Blue() < 200; };
    const auto no = inkColumns(shot, 0, 80, 3, 10, black), ip = inkColumns(shot, 80, 230, 3, 10, black),
               status = inkColumns(shot, 230, 330, 3, 10, black);
    EXPECT_GE(no.first, 3);
    EXPECT_LE(no.first, 5);
    EXPECT_LE(std::abs((ip.first + ip.second) / 2 - 155), 2);
    EXPECT_GE(status.second, 322);
    EXPECT_LE(status.second, 326);
    // Rows in a wider font: the same address spreads further.
    const auto light = [](const wxColour& c) { return c.Red() > 150 && c.Green() > 150 && c.Blue() > 150; };
    const auto narrow = inkColumns(shot, 80, 230, top, top + 26, light);
    list->SetRowFont(15, 16);
    Pump(200);
    const wxImage wide = ScreenShot(wxRect(shown.x, shown.y, shown.width, shown.height), "report_list_wide_font.png");
    ASSERT_TRUE(wide.IsOk());
    const auto spread = inkColumns(wide, 80, 230, 0, 26, light);
    EXPECT_GT(spread.second - spread.first, (narrow.second - narrow.first) * 5 / 4);
    list->SetRowFont(15, 0);
    // A selected row is drawn in the selection's colours in every cell.
    list->SelectRow(1);
    Pump(200);
    const wxImage selected = ScreenShot(wxRect(shown.x, shown.y, shown.width, shown.height), "report_list_selected.png");
    ASSERT_TRUE(selected.IsOk());
    for (int x : {4, 84, 234})
        EXPECT_EQ(PixelOf(selected, {x, 26 + 23}), wxColour(0x50, 0x50, 0x50)) << x;
}
