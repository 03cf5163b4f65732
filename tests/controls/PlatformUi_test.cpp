#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <utility>
#include <vector>

#include <wx/init.h>

#include "platform/ui/ControlTable.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/KeyReleaseFilter.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

namespace {
// A receiver with a message map, as a page or the main dialog has.
struct Receiver : wxEvtHandler {
    MessageMap Messages{this};
    std::vector<std::pair<WPARAM, LPARAM>> Got;
    Receiver() {
        Messages.On(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
            Got.emplace_back(w, l);
            return 7;
        });
    }
};
}  // namespace

TEST(Messages, SendIsHandledAtOnceAndReturnsTheResult) {
    wxInitializer init;
    Receiver r;
    EXPECT_EQ(SendMsg(&r, MDropListSelChanged, 5, 2), 7);
    ASSERT_EQ(r.Got.size(), 1u);
    EXPECT_EQ(r.Got[0], (std::pair<WPARAM, LPARAM>{5, 2}));
    // No handler: nothing happens and the answer is 0.
    EXPECT_EQ(SendMsg(&r, MEditValueChanged, 1, 0), 0);
    EXPECT_EQ(SendMsg(nullptr, MEditValueChanged, 1, 0), 0);
}

TEST(Messages, PostWaitsForTheLoopAndKeepsOrderAcrossThreads) {
    wxInitializer init;
    Receiver r;
    PostMsg(&r, MDropListSelChanged, 1, -1);
    EXPECT_TRUE(r.Got.empty());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&r, t] {
            for (int i = 0; i < 250; ++i)
                PostMsg(&r, MDropListSelChanged, static_cast<WPARAM>(t), i);
        });
    for (auto& thread : threads)
        thread.join();
    // Each call handles one queued message.
    for (int i = 0; i < 2000 && r.Got.size() < 1001; ++i)
        r.ProcessPendingEvents();
    ASSERT_EQ(r.Got.size(), 1001u);
    EXPECT_EQ(r.Got[0].second, -1);
    // Each thread's messages arrive in the order it posted them.
    std::vector<LPARAM> next(4, 0);
    for (std::size_t i = 1; i < r.Got.size(); ++i) {
        const auto [thread, value] = r.Got[i];
        EXPECT_EQ(value, next[thread]++);
    }
}

TEST(Colours, ColorRefBecomesTheColourItNames) {
    const wxColour accent = ColourFromRef(0x009CEF);
    EXPECT_EQ(accent.Red(), 239);
    EXPECT_EQ(accent.Green(), 156);
    EXPECT_EQ(accent.Blue(), 0);
    EXPECT_EQ(RefFromColour(wxColour(255, 255, 80)), 0x50FFFFu);
}

TEST(Fonts, WindowsFacesMapToLiberationSans) {
    EXPECT_EQ(MapFontFace("Arial"), "Liberation Sans");
    EXPECT_EQ(MapFontFace("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(MapFontFace(""), "Liberation Sans");
    EXPECT_EQ(MapFontFace("WenQuanYi Micro Hei"), "WenQuanYi Micro Hei");
    EXPECT_EQ(LogHeightToEmPixels(18), 16);
    EXPECT_EQ(LogHeightToEmPixels(15), 13);
    EXPECT_EQ(LogHeightToEmPixels(-12), 12);
}

TEST(KeyReleaseFilter, EveryReleaseReachesTheHookOnceAndHeldKeysAreKnown) {
    int releases = 0;
    int lastKey = 0;
    KeyReleaseFilter::Install([&](const wxKeyEvent& key, const std::set<int>&) {
        ++releases;
        lastKey = key.GetKeyCode();
    });
    KeyReleaseFilter::Install([&](const wxKeyEvent& key, const std::set<int>&) {   // installing again replaces the hook
        ++releases;
        lastKey = key.GetKeyCode();
    });
    auto& filter = KeyReleaseFilter::Instance();
    wxKeyEvent down(wxEVT_KEY_DOWN);
    down.m_keyCode = 'S';
    EXPECT_EQ(filter.FilterEvent(down), wxEventFilter::Event_Skip);
    EXPECT_TRUE(KeyReleaseFilter::IsKeyHeld('S'));
    EXPECT_EQ(releases, 0);
    wxKeyEvent up(wxEVT_KEY_UP);
    up.m_keyCode = 'S';
    filter.FilterEvent(up);
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(lastKey, 'S');
    EXPECT_FALSE(KeyReleaseFilter::IsKeyHeld('S'));
    // Other events are not key releases.
    wxMouseEvent click(wxEVT_LEFT_UP);
    filter.FilterEvent(click);
    EXPECT_EQ(releases, 1);
    KeyReleaseFilter::Remove();
    filter.FilterEvent(up);
    EXPECT_EQ(releases, 1);
}

TEST(KeyReleaseFilter, OneReleaseOneDeliveryWithTheKeysHeldWithItAndNoKeyHeldThatWasLetGo) {
    std::vector<std::pair<int, std::set<int>>> releases;
    KeyReleaseFilter::Install([&](const wxKeyEvent& key, const std::set<int>& heldWith) {
        releases.emplace_back(key.GetKeyCode(), heldWith);
    });
    bool keyboardHoldsS = true;
    KeyReleaseFilter::SetKeyboardQuery([&](int key) { return key == 'S' && keyboardHoldsS; });
    auto& filter = KeyReleaseFilter::Instance();
    long now = 1000;
    const auto key = [&](wxEventType type, int code) {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.m_rawFlags = static_cast<uint32_t>(code);
        event.SetTimestamp(++now);
        filter.FilterEvent(event);
        return event;
    };
    const auto activate = [&] {
        wxActivateEvent event(wxEVT_ACTIVATE, true);
        filter.FilterEvent(event);
    };
    // S let go before the 3 held with it, the 3's release handed on to its window's parent too;
    // then 3 alone; then S let go while another window had the keyboard, and 7 alone.
    key(wxEVT_KEY_DOWN, 'S');
    key(wxEVT_KEY_DOWN, 'S');  // the keyboard's repeat
    key(wxEVT_KEY_DOWN, '3');
    key(wxEVT_KEY_UP, 'S');
    wxKeyEvent three = key(wxEVT_KEY_UP, '3');
    filter.FilterEvent(three);
    key(wxEVT_KEY_DOWN, '3');
    key(wxEVT_KEY_UP, '3');
    key(wxEVT_KEY_DOWN, 'S');
    activate();
    EXPECT_TRUE(KeyReleaseFilter::IsKeyHeld('S'));
    keyboardHoldsS = false;
    activate();
    EXPECT_FALSE(KeyReleaseFilter::IsKeyHeld('S'));
    key(wxEVT_KEY_DOWN, '7');
    key(wxEVT_KEY_UP, '7');
    const std::vector<std::pair<int, std::set<int>>> expected = {{'S', {'3'}}, {'3', {'S'}}, {'3', {}}, {'7', {}}};
    EXPECT_EQ(releases, expected);
    KeyReleaseFilter::SetKeyboardQuery(nullptr);
    KeyReleaseFilter::Remove();
}

TEST(ControlTable, RowsAreFoundById) {
    static constexpr ControlSpec table[] = {
        {1290, ControlKind::Static, 10, 40, 80, 20, "Input", 0},
        {1411, ControlKind::RealEdit, 100, 40, 60, 22, nullptr, ControlDisabled},
    };
    ASSERT_NE(FindControlSpec(table, 1411), nullptr);
    EXPECT_EQ(FindControlSpec(table, 1411)->Kind, ControlKind::RealEdit);
    EXPECT_EQ(FindControlSpec(table, 1411)->Flags, static_cast<unsigned>(ControlDisabled));
    EXPECT_EQ(FindControlSpec(table, 9), nullptr);
}
