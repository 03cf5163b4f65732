#include "preview/FakeEncoderServer.h"
#include "preview/upload/EncoderPackageUpload.h"
#include "preview/upload/EncoderPackageUploader.h"
#include "preview/upload/EncoderUploadProtocol.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Headers = std::vector<std::pair<char, uint32_t>>;

struct UploadFixture : ::testing::Test {
    fs::path Folder;
    std::mutex Mutex;
    std::vector<int> Progress;

    void SetUp() override {
        Folder =
            fs::temp_directory_path() / ("velkan-upload-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    std::vector<uint8_t> MakePackage(size_t size, const char* name = "VP_venc.tar.gz") {
        std::vector<uint8_t> bytes(size);
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
        std::ofstream(Folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
        return bytes;
    }

    EncoderUploadRequest Request(uint16_t port, const char* name = "VP_venc.tar.gz") {
        EncoderUploadRequest request;
        request.EncoderIp = "127.0.0.1";
        request.Port = port;
        request.PackagePath = (Folder / name).string();
        request.AnnouncePause = 0ms;
        request.EndPause = 0ms;
        request.ReplyTimeout = 200ms;
        return request;
    }

    UploadProgress Recorder() {
        return [this](int percent) {
            std::lock_guard lock(Mutex);
            Progress.push_back(percent);
        };
    }
};

} // namespace

TEST(EncoderUploadProtocol, HeadersAndRepliesByteForByte) {
    const EncoderHeader m = MakeEncoderHeader(EncoderCommand::Announce, 0x01020304);
    const EncoderHeader expected = {0xFF, 0x01, 0, 0, 0, 0, 0x6D, 0x04, 0x03, 0x02, 0x01, 0, 0, 0, 0};
    EXPECT_EQ(m, expected);
    EXPECT_EQ(MakeEncoderHeader(EncoderCommand::End, 2048)[6], 0x6F);
    EXPECT_EQ(MakeEncoderHeader(EncoderCommand::Confirm, 0)[6], 0x62);
    EXPECT_EQ(MakeEncoderHeader(EncoderCommand::Abort, 0)[6], 0x61);
    EXPECT_EQ(EncoderUploadPort, 8877);

    auto ok = EncoderReply(1);
    EXPECT_EQ(CheckEncoderReply(ok.data(), ok.size()), EncoderReplyCheck::Accepted);
    auto failed = EncoderReply(2);
    EXPECT_EQ(CheckEncoderReply(failed.data(), failed.size()), EncoderReplyCheck::Failed);
    auto wrongLetter = EncoderReply(1, 0x61);
    EXPECT_EQ(CheckEncoderReply(wrongLetter.data(), wrongLetter.size()), EncoderReplyCheck::Invalid);
    for (int byte : {0, 1, 2, 3}) {
        auto bad = EncoderReply(1);
        bad[byte] ^= 0x10;
        EXPECT_EQ(CheckEncoderReply(bad.data(), bad.size()), EncoderReplyCheck::Invalid) << byte;
    }
    EXPECT_EQ(CheckEncoderReply(ok.data(), 14), EncoderReplyCheck::Invalid);
    EXPECT_EQ(CheckEncoderReply(nullptr, 15), EncoderReplyCheck::Invalid);
}

TEST(EncoderUploadProtocol, ProgressTruncatesTowardZero) {
    EXPECT_EQ(UploadProgressPercent(2048, 2048), 99);
    EXPECT_EQ(UploadProgressPercent(2048, 5000), 39);   // 40.96 - 1
    EXPECT_EQ(UploadProgressPercent(4096, 5000), 80);   // 81.92 - 1
    EXPECT_EQ(UploadProgressPercent(2048, 1000000), 0); // -0.79 -> 0, never the failure value
    EXPECT_EQ(UploadProgressPercent(0, 0), 0);
}

TEST(EncoderUploadProtocol, OnlyTheEncodersOwnPackageName) {
    EXPECT_TRUE(IsEncoderPackagePath("VP_venc.tar.gz"));
    EXPECT_TRUE(IsEncoderPackagePath("/home/op/downloads/VP_venc.tar.gz"));
    EXPECT_FALSE(IsEncoderPackagePath("/home/op/vp_venc.tar.gz"));
    EXPECT_FALSE(IsEncoderPackagePath("/home/op/VP_venc.tar.gz.bak"));
    EXPECT_FALSE(IsEncoderPackagePath("/home/op/xVP_venc.tar.gz"));
    EXPECT_FALSE(IsEncoderPackagePath("/home/VP_venc.tar.gz/"));
    EXPECT_FALSE(IsEncoderPackagePath(""));
}

TEST_F(UploadFixture, OnePieceThenAcceptedAndConfirmed) {
    const auto package = MakePackage(2048);
    FakeEncoderServer server({{EncoderReply(1)}});
    auto request = Request(server.Port());
    request.AnnouncePause = 50ms; // the device's own pauses
    request.EndPause = 500ms;
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(UploadEncoderPackage(request, Recorder()), EncoderUploadResult::Success);
    EXPECT_GE(std::chrono::steady_clock::now() - begin, 550ms);
    const auto sent = ParseSentUpload(server.Received(), 2048);
    EXPECT_TRUE(sent.WellFormed);
    EXPECT_EQ(sent.Headers, (Headers{{'m', 2048}, {'o', 2048}, {'b', 2048}}));
    EXPECT_EQ(sent.Package, package);
    EXPECT_EQ(Progress, (std::vector<int>{99, 100}));
}

TEST_F(UploadFixture, PackagesGoInPiecesOf2048WithTheirProgress) {
    const struct {
        size_t Size;
        bool SplitReply; // the encoder's answer arrives in two reads
        std::vector<int> Progress;
    } rows[] = {{5000, false, {39, 80, 99, 100}}, {0, false, {100}}, {100, true, {99, 100}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Size);
        const auto package = MakePackage(row.Size);
        Progress.clear();
        FakeEncoderServer server({{EncoderReply(1)}, row.SplitReply});
        EXPECT_EQ(UploadEncoderPackage(Request(server.Port()), Recorder()), EncoderUploadResult::Success);
        const auto sent = ParseSentUpload(server.Received(), row.Size);
        const auto n = static_cast<uint32_t>(row.Size);
        EXPECT_EQ(sent.Headers, (Headers{{'m', n}, {'o', n}, {'b', n}}));
        EXPECT_EQ(sent.Package, package);
        EXPECT_EQ(Progress, row.Progress);
    }
}

TEST_F(UploadFixture, SixInvalidRepliesThenAValidOneSucceed) {
    MakePackage(3000);
    std::vector<std::vector<uint8_t>> replies(6, EncoderReply(1, 0x41)); // byte 6 is not 0x60
    replies.push_back(EncoderReply(1));
    FakeEncoderServer server({replies});
    EXPECT_EQ(UploadEncoderPackage(Request(server.Port()), Recorder()), EncoderUploadResult::Success);
    EXPECT_EQ(ParseSentUpload(server.Received(), 3000).Headers,
              (Headers{{'m', 3000}, {'o', 3000}, {'b', 3000}}));
    EXPECT_EQ(Progress.back(), 100);
}

TEST_F(UploadFixture, SevenInvalidRepliesFailAndAbort) {
    MakePackage(3000);
    std::vector<std::vector<uint8_t>> replies(7, EncoderReply(1, 0x41));
    replies.push_back(EncoderReply(1)); // an eighth, valid, comes too late
    FakeEncoderServer server({replies});
    EXPECT_EQ(UploadEncoderPackage(Request(server.Port()), Recorder()), EncoderUploadResult::NoValidReply);
    EXPECT_EQ(ParseSentUpload(server.Received(), 3000).Headers,
              (Headers{{'m', 3000}, {'o', 3000}, {'a', 3000}}));
    EXPECT_EQ(Progress, (std::vector<int>{67, 99, -1}));
}

TEST_F(UploadFixture, ARefusalEndsWithoutConfirmOrAbort) {
    MakePackage(100);
    FakeEncoderServer server({{EncoderReply(0)}});
    EXPECT_EQ(UploadEncoderPackage(Request(server.Port()), Recorder()), EncoderUploadResult::Refused);
    EXPECT_EQ(ParseSentUpload(server.Received(), 100).Headers, (Headers{{'m', 100}, {'o', 100}}));
    EXPECT_EQ(Progress, (std::vector<int>{99, -1}));
}

TEST_F(UploadFixture, SilenceFailsAfterSevenWaits) {
    MakePackage(100);
    FakeEncoderServer::Script script;
    script.NeverAnswer = true;
    FakeEncoderServer server(script);
    auto request = Request(server.Port());
    request.ReplyTimeout = 50ms;
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(UploadEncoderPackage(request, Recorder()), EncoderUploadResult::NoValidReply);
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(took, 7 * 50ms);
    EXPECT_LT(took, 3s);
    EXPECT_EQ(ParseSentUpload(server.Received(), 100).Headers, (Headers{{'m', 100}, {'o', 100}, {'a', 100}}));
}

TEST_F(UploadFixture, AnEncoderHangingUpMidTransferIsAFailureNotACrash) {
    MakePackage(8 << 20); // more than the socket buffers hold
    FakeEncoderServer::Script script;
    script.CloseAfterBytes = 15 + 4096;
    FakeEncoderServer server(script);
    EXPECT_EQ(UploadEncoderPackage(Request(server.Port()), Recorder()), EncoderUploadResult::SendFailed);
    ASSERT_FALSE(Progress.empty());
    EXPECT_EQ(Progress.back(), -1);
    // No end header after a broken transfer, so a truncated package is never taken.
    const auto sent = ParseSentUpload(server.Received(), 8 << 20);
    ASSERT_FALSE(sent.Headers.empty());
    EXPECT_EQ(sent.Headers[0], std::make_pair('m', uint32_t{8 << 20}));
    for (const auto& header : sent.Headers)
        EXPECT_NE(header.first, 'o');
}

TEST_F(UploadFixture, AnAddressThatIsNoEncoderFailsWithoutConnecting) {
    MakePackage(100);
    for (const char* ip : {"", "0.0.0.0", "300.1.1.1", "127.0.0", "255.255.255.255", "localhost"}) {
        auto request = Request(1);
        request.EncoderIp = ip;
        Progress.clear();
        EXPECT_EQ(UploadEncoderPackage(request, Recorder()), EncoderUploadResult::ConnectFailed) << ip;
        EXPECT_EQ(Progress, (std::vector<int>{-1})) << ip;
    }
}

TEST_F(UploadFixture, AMissingOrMisnamedPackageSendsNothing) {
    MakePackage(100, "vp_venc.tar.gz");
    {
        FakeEncoderServer server({{EncoderReply(1)}});
        EXPECT_EQ(UploadEncoderPackage(Request(server.Port(), "vp_venc.tar.gz"), Recorder()),
                  EncoderUploadResult::FileFailed);
        EXPECT_TRUE(server.Received().empty());
    }
    {
        FakeEncoderServer server({{EncoderReply(1)}});
        EXPECT_EQ(UploadEncoderPackage(Request(server.Port()), Recorder()), EncoderUploadResult::FileFailed);
        EXPECT_TRUE(server.Received().empty());
        EXPECT_TRUE(server.Accepted()); // connected first, then found no file
    }
    EXPECT_TRUE(Progress.empty()); // as before: no text for a file that cannot be read
}

TEST_F(UploadFixture, TheUploaderRunsOneAtATimeAndCancelsOnClose) {
    MakePackage(3000);
    FakeEncoderServer::Script script;
    script.NeverAnswer = true;
    FakeEncoderServer server(script);
    auto request = Request(server.Port());
    request.ReplyTimeout = 1000ms; // seven of these would take 7 s
    std::atomic<int> finished{-1};
    {
        EncoderPackageUploader uploader;
        ASSERT_TRUE(uploader.Start(request, Recorder(), [&](EncoderUploadResult r) { finished = int(r); }));
        EXPECT_FALSE(uploader.Start(request, Recorder())); // a second click while running
        std::this_thread::sleep_for(300ms);                // now waiting for the answer
        EXPECT_TRUE(uploader.IsRunning());
        const auto begin = std::chrono::steady_clock::now();
        uploader.Cancel();
        uploader.Join();
        EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
        EXPECT_FALSE(uploader.IsRunning());
    }
    EXPECT_EQ(finished.load(), int(EncoderUploadResult::Cancelled));
    EXPECT_EQ(ParseSentUpload(server.Received(), 3000).Headers,
              (Headers{{'m', 3000}, {'o', 3000}, {'a', 3000}}));
}

TEST_F(UploadFixture, TheUploaderTakesANewUploadAfterTheLastEnded) {
    MakePackage(100);
    EncoderPackageUploader uploader;
    for (int round = 0; round < 2; ++round) {
        FakeEncoderServer server({{EncoderReply(1)}});
        std::atomic<int> finished{-1};
        ASSERT_TRUE(
            uploader.Start(Request(server.Port()), {}, [&](EncoderUploadResult r) { finished = int(r); }));
        uploader.Join();
        EXPECT_EQ(finished.load(), int(EncoderUploadResult::Success));
        EXPECT_FALSE(uploader.IsRunning());
    }
}
