#include "preview/FakeDecoder.h"
#include "preview/PreviewTestStreams.h"
#include "preview/channel/H264Channel.h"
#include "preview/channel/PreviewChannels.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Records what it is shown; reads every visible byte of each plane with the given strides.
class RecordingView final : public YuvFrameView {
  public:
    void OnYuvFrame(const H264Picture& p) override {
        Inside = true;
        uint64_t sum = 0;
        for (int plane = 0; plane < 3; ++plane) {
            const int w = plane ? H264Picture::ChromaWidth(p.Width) : p.Width;
            const int h = plane ? H264Picture::ChromaHeight(p.Height) : p.Height;
            for (int row = 0; row < h; ++row)
                for (int x = 0; x < w; ++x)
                    sum += p.Planes[plane][row * p.Strides[plane] + x];
        }
        {
            std::lock_guard lock(Mutex);
            Tags.push_back(p.Planes[0][0]);
            Sizes.emplace_back(p.Width, p.Height);
            Strides.push_back(p.Strides[0]);
            Sums.push_back(sum);
            if (Order) Order->push_back(this);
        }
        if (Hook) Hook(*this);
        Inside = false;
        Calls.fetch_add(1);
    }
    std::vector<uint8_t> TagsSeen() {
        std::lock_guard lock(Mutex);
        return Tags;
    }

    std::mutex Mutex;
    std::vector<uint8_t> Tags;
    std::vector<std::pair<int, int>> Sizes;
    std::vector<int> Strides;
    std::vector<uint64_t> Sums;
    std::vector<const YuvFrameView*>* Order = nullptr; // shared among views (display thread only)
    std::function<void(RecordingView&)> Hook;
    std::atomic<bool> Inside{false};
    std::atomic<int> Calls{0};
};

struct ChannelFixture : ::testing::Test {
    FakeDecoder::Control Control;
    H264Channel::DecoderFactory Factory = [this](const H264DecoderSettings& settings) {
        return std::make_unique<FakeDecoder>(settings, Control);
    };

    static bool Push(H264Channel& channel, uint8_t tag) {
        const uint8_t packet[4] = {tag, 1, 2, 3};
        return channel.PushPacket(packet, sizeof packet);
    }
};

} // namespace

TEST_F(ChannelFixture, DeliversPicturesInOrderToEveryViewInTableOrder) {
    std::vector<const YuvFrameView*> order;
    RecordingView cell, pane;
    H264Channel channel(Factory);
    channel.SetSize(353, 241); // odd: chroma planes are 177 x 121
    cell.Order = pane.Order = &order;
    channel.Start();
    ASSERT_TRUE(channel.AddView(&cell, ChannelViewKind::Cell));
    ASSERT_TRUE(channel.AddView(&pane, ChannelViewKind::Pane));
    for (uint8_t tag = 1; tag <= 20; ++tag) {
        ASSERT_TRUE(Push(channel, tag));
        ASSERT_TRUE(WaitUntil([&] { return pane.Calls.load() == tag; })) << int(tag);
    }
    channel.Stop();
    std::vector<uint8_t> expected(20);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(cell.TagsSeen(), expected);
    EXPECT_EQ(pane.TagsSeen(), expected);
    ASSERT_EQ(order.size(), 40u);
    for (size_t i = 0; i < order.size(); i += 2) {
        EXPECT_EQ(order[i], &cell);
        EXPECT_EQ(order[i + 1], &pane);
    }
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(cell.Sizes[i], std::make_pair(353, 241));
        EXPECT_EQ(cell.Strides[i], 353 + 32); // the decoder's stride, not the width
        // Y: tag x 353 x 241; U: 0x40 x 177 x 121; V: 0xC0 x 177 x 121.
        EXPECT_EQ(cell.Sums[i], (i + 1) * 353 * 241 + 0x40 * 177 * 121 + 0xC0 * 177 * 121);
    }
    const auto counters = channel.GetCounters();
    EXPECT_EQ(counters.PacketsAccepted, 20u);
    EXPECT_EQ(counters.PicturesShown, 20u);
}

TEST_F(ChannelFixture, ABurstKeepsOrderAndDropsOnlyPictures) {
    RecordingView view;
    H264Channel channel(Factory);
    view.Hook = [](RecordingView&) { std::this_thread::sleep_for(1ms); }; // a slow view
    channel.Start();
    channel.AddView(&view, ChannelViewKind::Cell);
    for (int tag = 0; tag < 100; ++tag)
        ASSERT_TRUE(Push(channel, static_cast<uint8_t>(tag)));
    ASSERT_TRUE(WaitUntil([&] {
        const auto c = channel.GetCounters();
        return c.PicturesDecoded == 100 && c.PicturesShown + c.PicturesDropped == 100;
    }));
    channel.Stop();
    const auto tags = view.TagsSeen();
    ASSERT_FALSE(tags.empty());
    EXPECT_TRUE(std::is_sorted(tags.begin(), tags.end()));
    EXPECT_EQ(std::adjacent_find(tags.begin(), tags.end()), tags.end()); // no picture twice
    EXPECT_EQ(tags.front(), 0); // a picture meeting two full slots is the one dropped
    EXPECT_EQ(channel.GetCounters().PicturesShown, tags.size());
}

TEST_F(ChannelFixture, HundredPacketsWaitingThenTheNextIsDropped) {
    H264Channel channel(Factory);
    Control.GateClosed = true;
    channel.Start();
    ASSERT_TRUE(Push(channel, 0));
    ASSERT_TRUE(WaitUntil([&] { return Control.Entered.load() == 1; })); // taken, held at the gate
    for (int i = 1; i <= 100; ++i)
        ASSERT_TRUE(Push(channel, static_cast<uint8_t>(i))) << i;
    EXPECT_FALSE(Push(channel, 101));
    EXPECT_FALSE(Push(channel, 102));
    Control.Open();
    ASSERT_TRUE(WaitUntil([&] { return channel.GetCounters().PicturesDecoded == 101; }));
    EXPECT_TRUE(Push(channel, 103)); // room again
    const auto counters = channel.GetCounters();
    EXPECT_EQ(counters.PacketsAccepted, 102u);
    EXPECT_EQ(counters.PacketsDropped, 2u);
}

TEST_F(ChannelFixture, RefusesEmptyOversizedAndUnstartedPackets) {
    H264Channel channel(Factory);
    const std::vector<uint8_t> big(H264Channel::MaxPacketBytes + 1, 0x11);
    EXPECT_FALSE(channel.PushPacket(big.data(), 10)); // not started
    channel.Start();
    EXPECT_FALSE(channel.PushPacket(big.data(), 0));
    EXPECT_FALSE(channel.PushPacket(nullptr, 10));
    EXPECT_FALSE(channel.PushPacket(big.data(), big.size()));
    EXPECT_TRUE(channel.PushPacket(big.data(), H264Channel::MaxPacketBytes));
    ASSERT_TRUE(WaitUntil([&] { return channel.GetCounters().PicturesDecoded == 1; }));
    channel.Stop();
    EXPECT_FALSE(channel.PushPacket(big.data(), 10)); // stopped
    EXPECT_EQ(channel.GetCounters().PacketsDropped, 5u);
}

TEST_F(ChannelFixture, OnlyChannelZeroRunsAndOtherNumbersAreRefused) {
    RecordingView view;
    PreviewChannels channels(Factory);
    channels.StartPreview(352, 240);
    ASSERT_TRUE(channels.Main().AddView(&view, ChannelViewKind::Pane));
    EXPECT_TRUE(channels.Channel(0)->IsDecoding());
    const uint8_t packet[3] = {7, 0, 0};
    for (uint32_t n : {1u, 2u, 3u}) {
        EXPECT_FALSE(channels.Channel(n)->IsDecoding());
        EXPECT_FALSE(channels.Channel(n)->IsDisplaying());
        EXPECT_FALSE(channels.PushPacket(n, packet, sizeof packet));
    }
    EXPECT_EQ(channels.Channel(4), nullptr);
    EXPECT_FALSE(channels.PushPacket(4, packet, sizeof packet));
    EXPECT_FALSE(channels.PushPacket(0xFFFFFFFFu, packet, sizeof packet));
    EXPECT_TRUE(channels.PushPacket(0, packet, sizeof packet));
    ASSERT_TRUE(WaitUntil([&] { return view.Calls.load() == 1; }));
    EXPECT_EQ(view.Sizes[0], std::make_pair(352, 240));
    // A new preview size restarts channel 0 with an empty view table.
    channels.StartPreview(640, 360);
    EXPECT_FALSE(channels.Main().HasView(&view));
    EXPECT_EQ(channels.Main().GetWidth(), 640);
    channels.Main().AddView(&view, ChannelViewKind::Pane);
    EXPECT_TRUE(channels.PushPacket(0, packet, sizeof packet));
    ASSERT_TRUE(WaitUntil([&] { return view.Calls.load() == 2; }));
    EXPECT_EQ(view.Sizes[1], std::make_pair(640, 360));
    channels.StopAll();
    EXPECT_FALSE(channels.Main().IsDecoding());
}

TEST_F(ChannelFixture, WithoutADecoderPacketsDropButTheDisplaySideRuns) {
    RecordingView view;
    H264Channel channel([](const H264DecoderSettings&) { return std::unique_ptr<H264Decoder>(); });
    channel.Start();
    EXPECT_FALSE(channel.IsDecoding());
    EXPECT_TRUE(channel.IsDisplaying());
    EXPECT_TRUE(channel.AddView(&view, ChannelViewKind::Cell)); // the table works regardless
    EXPECT_FALSE(Push(channel, 1));
    channel.Stop();
    EXPECT_FALSE(channel.IsDisplaying());
}

TEST_F(ChannelFixture, StoppingANeverStartedChannelChangesNothing) {
    RecordingView view;
    H264Channel channel(Factory);
    channel.AddView(&view, ChannelViewKind::Cell);
    channel.Stop();
    EXPECT_TRUE(channel.HasView(&view));
    EXPECT_FALSE(channel.IsDecoding());
    channel.Start();
    channel.Stop(); // a running decode side clears the table
    EXPECT_FALSE(channel.HasView(&view));
}

TEST_F(ChannelFixture, ARestartDropsWhatWaitsAndDecodesWithANewDecoderForTheSameViews) {
    RecordingView view;
    int made = 0;
    H264Channel channel([&](const H264DecoderSettings& settings) { return ++made, Factory(settings); });
    channel.Restart(); // not running: nothing starts
    EXPECT_FALSE(channel.IsDecoding());
    Control.Delay = 20ms;
    channel.Start();
    channel.AddView(&view, ChannelViewKind::Cell);
    for (uint8_t tag = 1; tag <= 50; ++tag) Push(channel, tag);
    ASSERT_TRUE(WaitUntil([&] { return view.Calls.load() > 0; }));
    channel.Restart();
    EXPECT_EQ(made, 2);
    ASSERT_TRUE(Push(channel, 99));
    ASSERT_TRUE(WaitUntil([&] { return !view.TagsSeen().empty() && view.TagsSeen().back() == 99; }));
    EXPECT_LT(view.TagsSeen().size(), 10u); // the packets waiting at the restart never decode
}

TEST_F(ChannelFixture, TheViewTableHoldsEachViewOnceAndAtMost240) {
    std::vector<RecordingView> views(241);
    H264Channel channel(Factory);
    for (size_t i = 0; i < 240; ++i)
        ASSERT_TRUE(channel.AddView(&views[i], ChannelViewKind::Cell));
    EXPECT_FALSE(channel.AddView(&views[240], ChannelViewKind::Cell));
    EXPECT_FALSE(channel.HasView(&views[240]));
    EXPECT_FALSE(channel.AddView(nullptr, ChannelViewKind::Cell));
    channel.RemoveView(&views[5]);
    EXPECT_TRUE(channel.AddView(&views[240], ChannelViewKind::Pane)); // takes the freed entry
    EXPECT_TRUE(channel.AddView(&views[0], ChannelViewKind::Pane));   // already there: not again
    channel.Start();
    ASSERT_TRUE(Push(channel, 9));
    ASSERT_TRUE(WaitUntil([&] { return channel.GetCounters().PicturesShown == 1; }));
    EXPECT_EQ(views[0].Calls.load(), 1);
    EXPECT_EQ(views[5].Calls.load(), 0);
    EXPECT_EQ(views[240].Calls.load(), 1);
}

TEST_F(ChannelFixture, RemovalWaitsForADeliveryInProgressAndIsFinal) {
    RecordingView slow, other;
    H264Channel channel(Factory);
    slow.Hook = [](RecordingView&) { std::this_thread::sleep_for(50ms); };
    channel.Start();
    channel.AddView(&slow, ChannelViewKind::Cell);
    channel.AddView(&other, ChannelViewKind::Pane);
    ASSERT_TRUE(Push(channel, 1));
    ASSERT_TRUE(WaitUntil([&] { return slow.Inside.load(); }));
    channel.RemoveView(&slow); // from this (the UI) thread, while slow is being called
    EXPECT_FALSE(slow.Inside.load());
    EXPECT_EQ(slow.Calls.load(), 1);
    const int before = slow.Calls.load();
    for (uint8_t tag = 2; tag < 6; ++tag) {
        ASSERT_TRUE(Push(channel, tag));
        ASSERT_TRUE(WaitUntil([&] { return other.Calls.load() == tag; }));
    }
    EXPECT_EQ(slow.Calls.load(), before);
}

TEST_F(ChannelFixture, AViewMayRemoveViewsFromInsideItsCallback) {
    RecordingView first, second, third;
    H264Channel channel(Factory);
    first.Hook = [&](RecordingView& self) {
        channel.RemoveView(&self);
        channel.RemoveView(&second); // later in the table: not called for this picture
    };
    channel.Start();
    channel.AddView(&first, ChannelViewKind::Cell);
    channel.AddView(&second, ChannelViewKind::Cell);
    channel.AddView(&third, ChannelViewKind::Pane);
    for (uint8_t tag = 1; tag <= 3; ++tag) {
        ASSERT_TRUE(Push(channel, tag));
        ASSERT_TRUE(WaitUntil([&] { return third.Calls.load() == tag; }));
    }
    EXPECT_EQ(first.Calls.load(), 1);
    EXPECT_EQ(second.Calls.load(), 0);
    EXPECT_FALSE(channel.HasView(&first));
}

TEST_F(ChannelFixture, StopJoinsQuicklyEvenWithPacketsWaitingForASlowDecoder) {
    RecordingView view;
    H264Channel channel(Factory);
    Control.Delay = 20ms;
    channel.Start();
    channel.AddView(&view, ChannelViewKind::Cell);
    for (int i = 0; i < 100; ++i)
        Push(channel, static_cast<uint8_t>(i));
    std::this_thread::sleep_for(30ms);
    const auto begin = std::chrono::steady_clock::now();
    channel.Stop();
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_LT(took, 200ms); // one packet's decode at most, not the hundred waiting
    EXPECT_FALSE(channel.IsDecoding());
    EXPECT_FALSE(channel.IsDisplaying());
    EXPECT_LT(channel.GetCounters().PicturesDecoded, 100u);
}

TEST_F(ChannelFixture, StartAndStopRepeatedWhilePacketsFlow) {
    RecordingView view;
    H264Channel channel(Factory);
    std::atomic<bool> feeding{true};
    std::thread feeder([&] {
        uint8_t tag = 0;
        while (feeding) {
            Push(channel, tag++);
            std::this_thread::yield();
        }
    });
    for (int round = 0; round < 50; ++round) {
        channel.Start();
        const int before = view.Calls.load();
        channel.AddView(&view, ChannelViewKind::Cell);
        if (round % 2) { // stop with pictures flowing, or at once
            EXPECT_TRUE(WaitUntil([&] { return view.Calls.load() > before; }));
        }
        const auto begin = std::chrono::steady_clock::now();
        channel.Stop();
        EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
        EXPECT_FALSE(channel.HasView(&view));
    }
    feeding = false;
    feeder.join();
    EXPECT_GT(channel.GetCounters().PacketsAccepted, 0u);
    EXPECT_GT(view.Calls.load(), 0);
}

TEST(H264ChannelStream, TheRealDecoderFeedsViewsAtTheStreamsOwnSize) {
    RecordingView view;
    H264Channel channel;
    channel.SetSize(352, 240);
    channel.Start();
    channel.AddView(&view, ChannelViewKind::Pane);
    for (const auto& piece : CutEvenly(ReadTestStream(WideStream), 1400)) {
        ASSERT_TRUE(WaitUntil([&] { return channel.PushPacket(piece.data(), piece.size()); }));
    }
    // The last picture waits for a next one that never comes; the rest reach the view.
    ASSERT_TRUE(WaitUntil([&] {
        const auto c = channel.GetCounters();
        return c.PicturesDecoded == 24 && c.PicturesShown + c.PicturesDropped == 24;
    }));
    channel.Stop();
    ASSERT_GT(view.Calls.load(), 0);
    for (size_t i = 0; i < view.Sizes.size(); ++i) {
        EXPECT_EQ(view.Sizes[i], std::make_pair(480, 270)); // not the 352 x 240 it was told
        EXPECT_GE(view.Strides[i], 480);
    }
}
