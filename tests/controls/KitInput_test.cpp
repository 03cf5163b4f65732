// Real key presses through the X server (XTest) and focus changes: these run alone, so no other
// window takes the focus.
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
