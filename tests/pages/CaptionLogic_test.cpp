// Caption bitmap files byte for byte, and the chunked transfer against a recording link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

#include "app/DeviceState.h"
#include "app/LittleEndian.h"
#include "app/MachineAtWork.h"
#include "pages/CaptionBitmap.h"
#include "pages/CaptionTransfer.h"
#include "files/FileTestSupport.h"
#include "support/RecordingCommLink.h"

namespace {
std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A mask whose row y (from the top) has pixel x white when x == y or x == 0.
std::vector<uint8_t> DiagonalMask(uint32_t w, uint32_t h) {
    std::vector<uint8_t> m(static_cast<size_t>(w) * h, 0);
    for (uint32_t y = 0; y < h; ++y) {
        m[static_cast<size_t>(y) * w] = 1;
        if (y < w) m[static_cast<size_t>(y) * w + y] = 1;
    }
    return m;
}

struct TempFolder {
    TempFolder() {
        Path = std::filesystem::temp_directory_path() / ("pages3_caption_" + std::to_string(::getpid()));
        std::filesystem::create_directories(Path);
    }
    ~TempFolder() { std::filesystem::remove_all(Path); }
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};
}  // namespace

TEST(CaptionBitmap, HeaderOf600x60) {
    const std::vector<uint8_t> b = EncodeBmp1bpp(600, 60, std::vector<uint8_t>(600 * 60, 0));
    EXPECT_EQ(Bmp1bppRowBytes(600), 76u);
    ASSERT_EQ(b.size(), 4622u);   // 62 + 76 x 60
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(ReadU32(&b[2]), 4622u);
    EXPECT_EQ(ReadU32(&b[6]), 0u);
    EXPECT_EQ(ReadU32(&b[10]), 62u);
    EXPECT_EQ(ReadU32(&b[14]), 40u);
    EXPECT_EQ(ReadU32(&b[18]), 600u);
    EXPECT_EQ(ReadU32(&b[22]), 60u);
    EXPECT_EQ(ReadU16(&b[26]), 1u);
    EXPECT_EQ(ReadU16(&b[28]), 1u);
    EXPECT_EQ(ReadU32(&b[30]), 0u);
    EXPECT_EQ(ReadU32(&b[34]), 4560u);
    for (size_t i = 38; i < 54; ++i) EXPECT_EQ(b[i], 0) << i;
    const std::vector<uint8_t> palette = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.begin() + 62), palette);
}

TEST(CaptionBitmap, PixelsBottomUpMsbFirstPadded) {
    // 10 x 3: rows of 4 bytes (10 bits used, the rest zero).
    std::vector<uint8_t> mask(30, 0);
    mask[0] = 1;            // top row, leftmost
    mask[1 * 10 + 9] = 1;   // middle row, rightmost
    mask[2 * 10 + 8] = 1;   // bottom row, ninth pixel
    const std::vector<uint8_t> b = EncodeBmp1bpp(10, 3, mask);
    ASSERT_EQ(b.size(), 62u + 12u);
    const std::vector<uint8_t> pixels(b.begin() + 62, b.end());
    const std::vector<uint8_t> want = {0x00, 0x80, 0, 0,    // bottom row first
                                       0x00, 0x40, 0, 0,    // middle
                                       0x80, 0x00, 0, 0};   // top
    EXPECT_EQ(pixels, want);
}

TEST(CaptionBitmap, RefusesBadSizesAndShortMasks) {
    EXPECT_TRUE(EncodeBmp1bpp(0, 10, {}).empty());
    EXPECT_TRUE(EncodeBmp1bpp(10, 10, std::vector<uint8_t>(99)).empty());
    TempFolder dir;
    EXPECT_FALSE(SaveCaptionBmp(dir.File("a.bmp"), 3841, 10, std::vector<uint8_t>(38410)));
    EXPECT_FALSE(SaveCaptionBmp(dir.File("a.bmp"), 100, 129, std::vector<uint8_t>(12900)));
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.bmp")));
}

TEST(CaptionBitmap, ThresholdOfRgb) {
    const uint8_t rgb[] = {255, 255, 255, 0, 0, 0, 200, 200, 200, 90, 90, 90, 255, 0, 0};
    EXPECT_EQ(WhiteMaskFromRgb(rgb, 5, 1), (std::vector<uint8_t>{1, 0, 1, 0, 0}));
}

TEST(CaptionBitmap, PathsInTheProgramFolder) {
    EXPECT_EQ(CaptionStartPath("/opt/v/"), "/opt/v/PFile.BMP");
    EXPECT_EQ(CaptionFilePathFor("/opt/v/", 1), "/opt/v/PFile1.BMP");
}

// A bitmap without write permission is refused, for root too, and keeps its bytes.
TEST(CaptionBitmap, FailedWriteKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir.File("PFile0.BMP");
    ASSERT_TRUE(SaveCaptionBmp(path, 8, 2, std::vector<uint8_t>(16, 1)));
    const std::vector<uint8_t> before = ReadAll(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(SaveCaptionBmp(path, 16, 2, std::vector<uint8_t>(32, 0)));
    EXPECT_EQ(ReadAll(path), before);
}

// A FIFO where a caption bitmap belongs: the page neither replaces it nor waits on it to read
// it (a child process does the reading, so a wait fails the test instead of hanging it).
TEST(CaptionBitmap, AFifoIsNeitherReplacedNorWaitedOn) {
    TempFolder dir;
    const std::string path = dir.File("PFile1.BMP");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_FALSE(SaveCaptionBmp(path, 8, 2, std::vector<uint8_t>(16, 1)));
    EXPECT_EQ(FinishesWithin([&] { return !CaptionUpload().Open(path); }, std::chrono::seconds(20)), ChildResult::True);
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(path)));
}

namespace {
class CaptionTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDeviceState();
        // Give up once so that every test starts with a fresh resend count.
        while (CaptionResendCount != 0) {
            CaptionUpload u;
            ASSERT_TRUE(SaveCaptionBmp(Dir.File("reset.bmp"), 8, 1, std::vector<uint8_t>(8, 0)));
            ASSERT_TRUE(u.Open(Dir.File("reset.bmp")));
            u.Start(false);
            while (u.OnTimeout() != CaptionUpload::TimeoutStep::GaveUp) {}
        }
    }
    std::vector<LinkCall> Chunks() const { return Link.Link.CallsOf("SendCaptionChunk"); }
    TempFolder Dir;
    ScopedRecordingLink Link;
};
}  // namespace

TEST_F(CaptionTransferTest, Caption600x60GoesIn17_17_17_9Rows) {
    const std::string path = Dir.File("PFile0.BMP");
    const std::vector<uint8_t> mask = DiagonalMask(600, 60);
    ASSERT_TRUE(SaveCaptionBmp(path, 600, 60, mask));
    const std::vector<uint8_t> file = ReadAll(path);
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    EXPECT_EQ(u.RowBytes, 76u);
    EXPECT_EQ(u.RowsPerChunk, 17u);
    ASSERT_TRUE(u.Start(false));
    EXPECT_TRUE(u.AwaitingAck());
    const uint32_t offsets[] = {0, 1292, 2584, 3876};
    const uint32_t lengths[] = {1292, 1292, 1292, 684};
    for (int k = 1; k < 4; ++k) {
        EXPECT_EQ(u.OnAck(1, offsets[k - 1]), CaptionUpload::AckStep::NextChunkSent) << k;
    }
    EXPECT_EQ(u.OnAck(1, 3876), CaptionUpload::AckStep::Finished);
    EXPECT_FALSE(u.IsOpen());
    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 4u);
    std::vector<uint8_t> stream;
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(static_cast<uint32_t>(chunks[k].Number), offsets[k]) << k;
        EXPECT_EQ(chunks[k].Bytes.size(), lengths[k]) << k;
        EXPECT_LE(chunks[k].Bytes.size(), CaptionChunkSize);
        EXPECT_EQ(chunks[k].DeviceId, DeviceId);
        stream.insert(stream.end(), chunks[k].Bytes.begin(), chunks[k].Bytes.end());
    }
    // The stream is the image rows from the top down, each exactly once.
    ASSERT_EQ(stream.size(), 60u * 76u);
    for (uint32_t y = 0; y < 60; ++y) {
        const size_t fileRow = 59 - y;
        EXPECT_TRUE(std::equal(stream.begin() + y * 76, stream.begin() + (y + 1) * 76,
                               file.begin() + 62 + fileRow * 76))
            << "image row " << y;
    }
    // The last chunk holds image rows 52..60 (1-based): its first row is row 52's pattern.
    const uint8_t* row52 = &chunks[3].Bytes[0];
    EXPECT_EQ(row52[0], 0x80);
    EXPECT_EQ(row52[6], 0x10);   // pixel 51
    for (size_t i = 7; i < 76; ++i) EXPECT_EQ(row52[i], 0) << i;
}

TEST_F(CaptionTransferTest, SmallCaptionIsOneChunk) {
    const std::string path = Dir.File("small.bmp");
    ASSERT_TRUE(SaveCaptionBmp(path, 100, 10, DiagonalMask(100, 10)));
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    EXPECT_EQ(u.RowBytes, 16u);
    EXPECT_EQ(u.RowsPerChunk, 10u);   // min(84, 10)
    u.Start(false);
    ASSERT_EQ(Chunks().size(), 1u);
    EXPECT_EQ(Chunks()[0].Bytes.size(), 160u);
    EXPECT_EQ(u.OnAck(1, 0), CaptionUpload::AckStep::Finished);
}

TEST_F(CaptionTransferTest, WidestCaptionTakesTwoRowsAChunk) {
    const std::string path = Dir.File("wide.bmp");
    ASSERT_TRUE(SaveCaptionBmp(path, 3840, 5, std::vector<uint8_t>(3840 * 5, 1)));
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    EXPECT_EQ(u.RowBytes, 480u);
    EXPECT_EQ(u.RowsPerChunk, 2u);
    u.Start(false);
    u.OnAck(1, 0);
    u.OnAck(1, 960);
    EXPECT_EQ(u.OnAck(1, 1920), CaptionUpload::AckStep::Finished);
    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].Bytes.size(), 960u);
    EXPECT_EQ(chunks[2].Bytes.size(), 480u);
    EXPECT_EQ(chunks[2].Number, 1920);
}

TEST_F(CaptionTransferTest, InvertComplementsTheWireNotTheFile) {
    const std::string path = Dir.File("inv.bmp");
    ASSERT_TRUE(SaveCaptionBmp(path, 16, 2, DiagonalMask(16, 2)));
    const std::vector<uint8_t> file = ReadAll(path);
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    u.Start(true);
    ASSERT_EQ(Chunks().size(), 1u);
    const std::vector<uint8_t> sent = Chunks()[0].Bytes;
    ASSERT_EQ(sent.size(), 8u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(sent[i], static_cast<uint8_t>(~file[62 + 4 + i])) << i;   // top row first
        EXPECT_EQ(sent[4 + i], static_cast<uint8_t>(~file[62 + i])) << i;
    }
    EXPECT_EQ(ReadAll(path), file);
}

TEST_F(CaptionTransferTest, ThreeResendsThenGiveUpAndCountCarriesOver) {
    const std::string path = Dir.File("t.bmp");
    ASSERT_TRUE(SaveCaptionBmp(path, 600, 60, DiagonalMask(600, 60)));
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    u.Start(false);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::GaveUp);
    EXPECT_FALSE(u.IsOpen());
    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 4u);
    for (const LinkCall& c : chunks) {
        EXPECT_EQ(c.Number, 0);
        EXPECT_EQ(c.Bytes, chunks[0].Bytes);
    }
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Nothing);

    // One resend in this transfer leaves two before the next give-up, across chunks.
    ASSERT_TRUE(u.Open(path));
    u.Start(false);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(u.OnAck(1, 0), CaptionUpload::AckStep::NextChunkSent);
    ASSERT_TRUE(u.Open(path));   // a new announcement
    u.Start(false);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::GaveUp);
}

// The machine at work goes mid-upload (the serial cable pulled): the chunk still to be resent
// reaches no machine.
TEST_F(CaptionTransferTest, NoResendOnceTheMachineAtWorkHasGone) {
    const std::string path = Dir.File("gone.bmp");
    ASSERT_TRUE(SaveCaptionBmp(path, 600, 60, DiagonalMask(600, 60)));
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    SerialLinkOpened();
    u.Start(false);
    SerialLinkClosed();
    EXPECT_EQ(u.OnTimeout(), CaptionUpload::TimeoutStep::Resent);
    EXPECT_EQ(Chunks().size(), 1u);
    ResetMachineAtWork();
}

TEST_F(CaptionTransferTest, OtherOffsetsAndRefusalsKeepTheChunkWaiting) {
    const std::string path = Dir.File("w.bmp");
    ASSERT_TRUE(SaveCaptionBmp(path, 600, 60, DiagonalMask(600, 60)));
    CaptionUpload u;
    ASSERT_TRUE(u.Open(path));
    u.Start(false);
    EXPECT_EQ(u.OnAck(0, 0), CaptionUpload::AckStep::Ignored);
    EXPECT_EQ(u.OnAck(1, 1292), CaptionUpload::AckStep::Ignored);
    EXPECT_TRUE(u.AwaitingAck());
    EXPECT_EQ(Chunks().size(), 1u);
}

TEST_F(CaptionTransferTest, RefusesFilesItCannotSendSafely) {
    CaptionUpload u;
    EXPECT_FALSE(u.Open(Dir.File("missing.bmp")));
    // An 8-bit file, a file taller than 128 rows and a header pointing past the end.
    std::vector<uint8_t> b = EncodeBmp1bpp(16, 4, std::vector<uint8_t>(64, 0));
    auto write = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(Dir.File(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                               static_cast<std::streamsize>(bytes.size()));
        return Dir.File(name);
    };
    std::vector<uint8_t> eight = b;
    WriteU16(&eight[28], 8);
    EXPECT_FALSE(u.Open(write("eight.bmp", eight)));
    std::vector<uint8_t> tall = b;
    WriteU32(&tall[22], 129);
    EXPECT_FALSE(u.Open(write("tall.bmp", tall)));
    std::vector<uint8_t> wide = b;
    WriteU32(&wide[18], 5000);
    EXPECT_FALSE(u.Open(write("wide.bmp", wide)));
    std::vector<uint8_t> past = b;
    WriteU32(&past[10], 100000);
    EXPECT_FALSE(u.Open(write("past.bmp", past)));
    EXPECT_FALSE(u.Open(write("short.bmp", std::vector<uint8_t>(b.begin(), b.begin() + 30))));
    EXPECT_FALSE(u.IsOpen());
    EXPECT_FALSE(u.Start(false));
    // A file cut short sends shorter chunks whose offsets follow what was sent.
    std::vector<uint8_t> cut(b.begin(), b.end() - 6);
    ASSERT_TRUE(u.Open(write("cut.bmp", cut)));
    u.Start(false);
    ASSERT_EQ(Chunks().size(), 1u);
    EXPECT_EQ(Chunks()[0].Bytes.size(), 16u - 6u);
}
