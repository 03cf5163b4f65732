// Real key presses through the X server (XTest) and focus changes: these run alone, so no other
// window takes the focus.
#include <cstdlib>
#include <string>

#include <wx/uiaction.h>

#include "KitFixture.h"
#include "controls/CDropButton.h"
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
