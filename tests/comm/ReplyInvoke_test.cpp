#include "platform/comm/LinkTiming.h"
#include "platform/comm/ReplyInvoke.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using velklink::InvokeReplyCallback;

namespace {

struct Seen {
    const uint8_t* first = nullptr;
    const uint8_t* second = nullptr;
    uint32_t a = 0, b = 0;
    unsigned id = 0;
    std::string text;
} seen;

void DataId(const uint8_t* d, uint8_t id) { seen = {d, nullptr, 0, 0, id, {}}; }
void Picture(const uint8_t* block, const uint8_t* record, uint32_t layer, uint32_t extra, uint8_t id) {
    seen = {block, record, layer, extra, id, {}};
}
void DataLayer(const uint8_t* d, uint32_t layer, uint8_t id) { seen = {d, nullptr, layer, 0, id, {}}; }
void Crop(const uint8_t* d, uint32_t layer, uint32_t extra, uint8_t id) { seen = {d, nullptr, layer, extra, id, {}}; }
void Stream(const uint8_t* d, uint32_t length, uint32_t channel) { seen = {d, nullptr, length, channel, 0, {}}; }
void DeviceInfo(const char* ip, const uint8_t* mac) { seen = {mac, nullptr, 0, 0, 0, ip}; }

template <typename F> void* Cb(F f) { return reinterpret_cast<void*>(f); }

std::vector<uint8_t> Counting(size_t n) {
    std::vector<uint8_t> p(n);
    for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(i);
    return p;
}

} // namespace

TEST(ReplyInvoke, PictureHandsBlockRecordLayerAndExtra) {
    auto p = Counting(37);
    p[32] = 2;
    p[33] = 0x78; p[34] = 0x56; p[35] = 0x34; p[36] = 0x12;
    InvokeReplyCallback(Cb(&Picture), 8, 21, p);
    EXPECT_EQ(seen.first, p.data());
    EXPECT_EQ(seen.second, p.data() + 12);
    EXPECT_EQ(seen.a, 2u);
    EXPECT_EQ(seen.b, 0x12345678u);
    EXPECT_EQ(seen.id, 21u);
}

TEST(ReplyInvoke, LayerWindowCropMosaicAndSources) {
    auto window = Counting(21);
    InvokeReplyCallback(Cb(&DataLayer), 10, 22, window);
    EXPECT_EQ(seen.first, window.data());
    EXPECT_EQ(seen.a, 20u); // byte 20
    auto crop = Counting(19);
    InvokeReplyCallback(Cb(&Crop), 11, 22, crop);
    EXPECT_EQ(seen.a, 14u);
    EXPECT_EQ(seen.b, 0x1211100Fu); // bytes 15..18, low first
    auto mosaic = Counting(112);
    InvokeReplyCallback(Cb(&DataLayer), 12, 22, mosaic);
    EXPECT_EQ(seen.a, 0x6F6E6D6Cu); // bytes 108..111
    std::vector<uint8_t> sources{2, 1, 64, 3, 0, 32, 5};
    InvokeReplyCallback(Cb(&DataLayer), 14, 22, sources);
    EXPECT_EQ(seen.first, sources.data() + 1);
    EXPECT_EQ(seen.a, 2u);
    EXPECT_EQ(seen.id, 22u);
}

TEST(ReplyInvoke, PreviewStreamHandsPieceLengthAndChannel) {
    std::vector<uint8_t> p{1, 0, 0, 0, 1, 0x67};
    InvokeReplyCallback(Cb(&Stream), 26, 21, p);
    EXPECT_EQ(seen.first, p.data() + 1);
    EXPECT_EQ(seen.a, 5u);
    EXPECT_EQ(seen.b, 1u);
}

TEST(ReplyInvoke, DeviceInfoHandsIpTextAndMac) {
    std::vector<uint8_t> p(22, 0);
    const std::string ip = "127.0.0.22";
    std::copy(ip.begin(), ip.end(), p.begin());
    p[16] = 0x02;
    InvokeReplyCallback(Cb(&DeviceInfo), 27, 22, p);
    EXPECT_EQ(seen.text, ip);
    EXPECT_EQ(seen.first, p.data() + 16);
}

TEST(ReplyInvoke, EmptyPayloadsStillGetAValidPointer) {
    InvokeReplyCallback(Cb(&DataId), 23, 9, {});
    EXPECT_NE(seen.first, nullptr);
    EXPECT_EQ(seen.id, 9u);
}

TEST(LinkTiming, RealTimingsUnlessScaled) {
    ::unsetenv("VELKCOMM_TIMING_SCALE");
    auto t = velklink::LinkTimingFromEnvironment();
    EXPECT_EQ(t.ping.count(), 3000);
    EXPECT_EQ(t.silence.count(), 10000);
    EXPECT_EQ(t.reconnect.count(), 5000);
    ::setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
    t = velklink::LinkTimingFromEnvironment();
    EXPECT_EQ(t.ping.count(), 300);
    EXPECT_EQ(t.silence.count(), 1000);
    EXPECT_EQ(t.reconnect.count(), 500);
    for (const char* bad : {"abc", "5", "0", "-1", "0.001"}) {
        ::setenv("VELKCOMM_TIMING_SCALE", bad, 1);
        EXPECT_EQ(velklink::LinkTimingFromEnvironment().silence.count(), 10000) << bad;
    }
    ::unsetenv("VELKCOMM_TIMING_SCALE");
}

// Each timing on its own, so a test can tell them apart; a bad text leaves the real ones.
TEST(LinkTiming, EachTimingSetOnItsOwn) {
    ::setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
    struct Row {
        const char* text;
        long long ping, silence, reconnect;
    };
    const Row rows[] = {
        {"1000,20000,300", 1000, 20000, 300}, // wins over the scale
        {"300,1000,500", 300, 1000, 500},
        {"1000,1000,300", 300, 1000, 500},    // a ping no shorter than the silence: the scale holds
        {"20,1000,300", 300, 1000, 500},
        {"300,1000", 300, 1000, 500},
        {"300,1000,500,7", 300, 1000, 500},
        {"300,1000,70000", 300, 1000, 500},
    };
    for (const Row& r : rows) {
        ::setenv("VELKCOMM_TIMING_MS", r.text, 1);
        const auto t = velklink::LinkTimingFromEnvironment();
        EXPECT_EQ(t.ping.count(), r.ping) << r.text;
        EXPECT_EQ(t.silence.count(), r.silence) << r.text;
        EXPECT_EQ(t.reconnect.count(), r.reconnect) << r.text;
    }
    ::unsetenv("VELKCOMM_TIMING_MS");
    ::unsetenv("VELKCOMM_TIMING_SCALE");
}
