// The simulated processor's preview side without sockets: the stream cut into pictures and
// pieces, the preview state after HELLO, and the encoder settings it stores and reports.
#include "platform/comm/LinkFrame.h"
#include "tools/devsim/DevsimOptions.h"
#include "tools/devsim/PreviewStream.h"
#include "tools/devsim/SimDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> QuadStreamBytes() {
    std::ifstream in(std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

velklink::Frame Command(uint32_t number, std::initializer_list<uint8_t> args) {
    velklink::Frame f;
    f.type = velklink::FrameCommand;
    f.id = 21;
    f.payload.assign(36, 0);
    velklink::PutU32(f.payload.data(), number);
    size_t i = 4;
    for (uint8_t a : args) f.payload[i++] = a;
    return f;
}

} // namespace

TEST(DevsimPreviewStream, TheQuadStreamIsFiftyPicturesThatJoinBackIntoTheFile) {
    const auto stream = QuadStreamBytes();
    ASSERT_FALSE(stream.empty());
    const auto pictures = devsim::CutPictures(stream);
    ASSERT_EQ(pictures.size(), 50u); // 2 s at 25 pictures per second
    std::vector<uint8_t> joined;
    for (const auto& p : pictures) joined.insert(joined.end(), p.begin(), p.end());
    EXPECT_EQ(joined, stream);
    // The first picture carries the parameter sets: SPS (7) first.
    EXPECT_EQ(pictures[0][4] & 0x1F, 7);
}

TEST(DevsimPreviewStream, PiecesAreAtMost1400BytesOnChannel0AndTheLoopStartsAgain) {
    devsim::PreviewStream preview;
    ASSERT_TRUE(preview.Load(std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"));
    const auto stream = QuadStreamBytes();
    std::vector<uint8_t> joined;
    size_t largest = 0;
    for (size_t i = 0; i < preview.PictureCount(); ++i)
        for (const auto& packet : preview.PicturePackets(i)) {
            ASSERT_GE(packet.size(), 2u);
            EXPECT_EQ(packet[0], 0);
            largest = std::max(largest, packet.size() - 1);
            joined.insert(joined.end(), packet.begin() + 1, packet.end());
        }
    EXPECT_EQ(joined, stream);
    EXPECT_EQ(largest, 1400u); // the IDR picture needs whole pieces
    EXPECT_EQ(preview.PicturePackets(preview.PictureCount()), preview.PicturePackets(0));
    EXPECT_EQ(devsim::PreviewStream::OtherChannelPacket(2)[0], 2);
}

TEST(DevsimPreviewStream, AFileWithoutPicturesLoadsNothing) {
    devsim::PreviewStream preview;
    EXPECT_FALSE(preview.Load("/nonexistent/stream.h264"));
    EXPECT_TRUE(devsim::CutPictures({0, 0, 1, 0x67, 0x42}).empty());
    EXPECT_TRUE(devsim::CutPictures({}).empty());
}

TEST(DevsimPreviewDevice, HelloReportsThePreviewState) {
    devsim::SimDevice device(21, "127.0.0.21", devsim::BuiltinStateBlock());
    velklink::Frame hello;
    hello.type = velklink::FrameHello;
    hello.id = 21;
    auto replies = device.Handle(hello);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[1].slot, 1);
    EXPECT_EQ(replies[1].payload, std::vector<uint8_t>{0});
    device.SetPreviewOn(true);
    replies = device.Handle(hello);
    EXPECT_EQ(replies[1].payload, std::vector<uint8_t>{1});
}

TEST(DevsimPreviewDevice, EncoderSettingsAreReportedWhereTheSettingsPageReadsThem) {
    devsim::SimDevice device(21, "127.0.0.21", devsim::BuiltinStateBlock());
    auto replies = device.Handle(Command(66, {2}));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].slot, 28);
    // Before any setting: 30 fps, code 1 (352 x 240, the stream's size), 2048 kbit/s.
    EXPECT_EQ(replies[0].payload, (std::vector<uint8_t>{2, 0, 30, 1, 0x08, 0x00, 0, 0, 0, 0}));
    // "Ultra Clear": 7 fps, code 17, 8192 kbit/s.
    replies = device.Handle(Command(25, {0, 7, 17, 0x20, 0x00, 7, 17, 0x20, 0x00}));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].payload, (std::vector<uint8_t>{2, 0, 7, 17, 0x20, 0x00, 0, 0, 0, 0}));
    // The address of the encoder is the device's own; the version 2.3.
    devsim::SimDevice elsewhere(21, "127.4.5.21", devsim::BuiltinStateBlock());
    const auto far = elsewhere.Handle(Command(66, {0}));
    EXPECT_EQ(std::vector<uint8_t>(far[0].payload.begin() + 5, far[0].payload.begin() + 9),
              (std::vector<uint8_t>{127, 4, 5, 21}));
    replies = device.Handle(Command(66, {0}));
    EXPECT_EQ(std::vector<uint8_t>(replies[0].payload.begin() + 5, replies[0].payload.begin() + 9),
              (std::vector<uint8_t>{127, 0, 0, 21}));
    replies = device.Handle(Command(66, {1}));
    EXPECT_EQ(replies[0].payload[0], 1);
    EXPECT_EQ(replies[0].payload[1], 2);
    EXPECT_EQ(replies[0].payload[2], 3);
}

TEST(DevsimPreviewOptions, PreviewFileAndEncoderFaults) {
    std::string error;
    auto o = devsim::ParseOptions({"--device", "127.0.0.21", "--preview", "a.h264", "--encoder-fault", "hang-up",
                                   "--encoder-log", "e.log"},
                                  error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->previewStream, "a.h264");
    EXPECT_EQ(o->encoderFault, devsim::EncoderFault::HangUp);
    EXPECT_EQ(o->encoderLog, "e.log");
    EXPECT_FALSE(devsim::ParseOptions({"--device", "127.0.0.21", "--encoder-fault", "sometimes"}, error));
    EXPECT_NE(error.find("sometimes"), std::string::npos);
    for (const char* name : {"none", "refuse", "reject", "bad-answer", "silent", "hang-up"})
        EXPECT_TRUE(devsim::ParseEncoderFault(name)) << name;
}
