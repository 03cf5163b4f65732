#include "platform/comm/LinkFrame.h"

#include <gtest/gtest.h>

using namespace velklink;

namespace {

// Bit-by-bit CRC-32 (IEEE, reflected, polynomial 0xEDB88320), independent of zlib.
uint32_t ReferenceCrc(const std::vector<uint8_t>& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<uint8_t> WithCrc(std::vector<uint8_t> bytes) {
    const uint32_t crc = ReferenceCrc(bytes);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(crc >> (8 * i)));
    return bytes;
}

std::vector<Frame> ParseAll(FrameStreamParser& parser) {
    std::vector<Frame> frames;
    Frame f;
    while (parser.Next(f)) frames.push_back(f);
    return frames;
}

} // namespace

TEST(LinkFrame, CrcIsTheIeeeCrc32) {
    const std::string check = "123456789";
    EXPECT_EQ(LinkCrc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0xCBF43926u);
}

TEST(LinkFrame, HelloToDevice21IsTwelveHeaderBytesAndCrc) {
    const auto frame = EncodeFrame(FrameHello, 21, 0, {});
    const auto expected = WithCrc({0xA5, 0x5A, 0x01, 0x04, 0x15, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(frame, expected);
}

TEST(LinkFrame, CommandFrameCarriesNumberThenBlockLittleEndian) {
    std::vector<uint8_t> payload{0x45, 0x00, 0x00, 0x00};
    payload.resize(36, 0x55);
    payload[4] = 0xFF;
    const auto frame = EncodeFrame(FrameCommand, 255, 0, payload);
    std::vector<uint8_t> expected{0xA5, 0x5A, 0x01, 0x01, 0xFF, 0x00, 0x00, 0x00, 36, 0, 0, 0};
    expected.insert(expected.end(), payload.begin(), payload.end());
    EXPECT_EQ(frame, WithCrc(expected));
}

TEST(LinkFrame, ReplyFrameCarriesSlotInByteFive) {
    const std::vector<uint8_t> payload{1};
    const auto frame = EncodeFrame(FrameReply, 22, 23, payload);
    EXPECT_EQ(frame, WithCrc({0xA5, 0x5A, 0x01, 0x80, 22, 23, 0, 0, 1, 0, 0, 0, 1}));
}

TEST(LinkFrame, PayloadAboveTheLimitIsNotFramed) {
    std::vector<uint8_t> big(kMaxPayload + 1);
    std::vector<uint8_t> out{7};
    EXPECT_FALSE(AppendFrame(out, FrameStateBlock, 1, 0, big));
    EXPECT_EQ(out, std::vector<uint8_t>{7});
    big.pop_back();
    EXPECT_TRUE(AppendFrame(out, FrameStateBlock, 1, 0, big));
    EXPECT_EQ(out.size(), 1 + 12 + kMaxPayload + 4);
}

TEST(LinkFrameParser, FindsAFrameAfterGarbage) {
    FrameStreamParser parser;
    std::vector<uint8_t> bytes{0x00, 0x13, 0xA5, 0xA5, 0x5A, 0x02, 0x5A};
    const auto frame = EncodeFrame(FrameReply, 21, 19, std::vector<uint8_t>(18, 0x42));
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    parser.Feed(bytes);
    const auto frames = ParseAll(parser);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].type, FrameReply);
    EXPECT_EQ(frames[0].id, 21);
    EXPECT_EQ(frames[0].slot, 19);
    EXPECT_EQ(frames[0].payload, std::vector<uint8_t>(18, 0x42));
    EXPECT_EQ(parser.DiscardedBytes(), 7u);
}

TEST(LinkFrameParser, ReassemblesAFrameFedByteByByte) {
    FrameStreamParser parser;
    const auto frame = EncodeFrame(FrameReply, 9, 2, std::vector<uint8_t>(2360, 0x77));
    Frame out;
    size_t found = 0;
    for (uint8_t b : frame) {
        parser.Feed({&b, 1});
        while (parser.Next(out)) ++found;
    }
    EXPECT_EQ(found, 1u);
    EXPECT_EQ(out.payload.size(), 2360u);
}

TEST(LinkFrameParser, DropsAFrameWithABadCrcAndKeepsTheNext) {
    FrameStreamParser parser;
    auto bad = EncodeFrame(FrameReply, 21, 0, std::vector<uint8_t>{1});
    bad.back() ^= 0x01;
    const auto good = EncodeFrame(FrameReply, 21, 23, std::vector<uint8_t>{2});
    parser.Feed(bad);
    parser.Feed(good);
    const auto frames = ParseAll(parser);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].slot, 23);
    EXPECT_EQ(frames[0].payload, std::vector<uint8_t>{2});
}

TEST(LinkFrameParser, RejectsWrongVersionAndOversizedLength) {
    FrameStreamParser parser;
    auto wrongVersion = EncodeFrame(FrameReply, 1, 1, std::vector<uint8_t>{1});
    wrongVersion[2] = 2;
    // A header claiming more than 1 MiB is refused at once, not waited for.
    const std::vector<uint8_t> oversized{0xA5, 0x5A, 0x01, 0x80, 1, 1, 0, 0, 0x01, 0x00, 0x10, 0x00};
    const auto good = EncodeFrame(FrameReply, 1, 31, std::vector<uint8_t>{1});
    parser.Feed(wrongVersion);
    parser.Feed(oversized);
    parser.Feed(good);
    const auto frames = ParseAll(parser);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].slot, 31);
}

TEST(LinkFrameParser, WaitsForTheRestOfAnIncompleteFrame) {
    FrameStreamParser parser;
    const auto frame = EncodeFrame(FrameCommand, 3, 0, std::vector<uint8_t>(36, 0x55));
    parser.Feed({frame.data(), 20});
    Frame out;
    EXPECT_FALSE(parser.Next(out));
    parser.Feed({frame.data() + 20, frame.size() - 20});
    EXPECT_TRUE(parser.Next(out));
    EXPECT_EQ(out.payload.size(), 36u);
}

TEST(LinkFrameDatagram, OneWholeFrameOnly) {
    const auto frame = EncodeFrame(FrameReply, 21, 27, std::vector<uint8_t>(22, 0));
    ASSERT_TRUE(ParseDatagram(frame).has_value());
    auto longer = frame;
    longer.push_back(0);
    EXPECT_FALSE(ParseDatagram(longer).has_value());
    EXPECT_FALSE(ParseDatagram({frame.data(), frame.size() - 1}).has_value());
    auto corrupt = frame;
    corrupt[14] ^= 0x80;
    EXPECT_FALSE(ParseDatagram(corrupt).has_value());
}
