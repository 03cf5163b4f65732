// The simulated processor over its sockets: the preview stream it sends after HELLO decodes into
// the quadrant pictures at about 25 per second, and its encoder package server takes a package,
// or fails in the way each fault switch asks for, and the upload reports each case cleanly.
#include "platform/comm/LinkFrame.h"
#include "platform/h264/H264Decoder.h"
#include "preview/upload/EncoderPackageUpload.h"
#include "support/DevsimProcess.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using Clock = std::chrono::steady_clock;

int ConnectTo(const std::string& ip, uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, ip.c_str(), &a.sin_addr);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The average of a plane over a rectangle of the picture.
int Mean(const H264Picture& p, int plane, int x0, int y0, int w, int h) {
    long sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            sum += p.Planes[plane][y * p.Strides[plane] + x];
    return static_cast<int>(sum / (w * h));
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(DevsimPreviewLink, StreamsDecodableQuadrantPicturesAt25PerSecondAfterHello) {
    const std::string ip = testsupport::FreeDeviceAddress(31);
    testsupport::DevsimProcess devsim;
    ASSERT_TRUE(devsim.Start(
        {"--device", ip, "--preview", std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));
    const int fd = ConnectTo(ip, velklink::kDefaultPort);
    ASSERT_GE(fd, 0);
    const auto hello = velklink::EncodeFrame(velklink::FrameHello, 31, 0, {});
    ASSERT_EQ(::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL), static_cast<ssize_t>(hello.size()));

    auto decoder = CreateH264Decoder();
    ASSERT_NE(decoder, nullptr);
    int pictures = 0, width = 0, height = 0;
    std::array<int, 4> quadrantV{}, quadrantU{}, quadrantY{};
    std::map<unsigned, int> packetsPerChannel;
    size_t largestPiece = 0;
    int previewState = -1;
    velklink::FrameStreamParser parser;
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(3)) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        uint8_t buffer[65536];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        ASSERT_GT(n, 0);
        parser.Feed({buffer, static_cast<size_t>(n)});
        velklink::Frame frame;
        while (parser.Next(frame)) {
            if (frame.slot == 1) previewState = frame.payload.at(0);
            if (frame.slot != 26) continue;
            ASSERT_GE(frame.payload.size(), 2u);
            ++packetsPerChannel[frame.payload[0]];
            if (frame.payload[0] != 0) continue;
            largestPiece = std::max(largestPiece, frame.payload.size() - 1);
            decoder->Decode(frame.payload.data() + 1, frame.payload.size() - 1, [&](const H264Picture& pic) {
                ++pictures;
                width = pic.Width;
                height = pic.Height;
                for (int q = 0; q < 4; ++q) {
                    const int x = (q % 2) * pic.Width / 2 + 40, y = (q / 2) * pic.Height / 2 + 30;
                    quadrantY[size_t(q)] = Mean(pic, 0, x, y, 32, 32);
                    quadrantU[size_t(q)] = Mean(pic, 1, x / 2, y / 2, 16, 16);
                    quadrantV[size_t(q)] = Mean(pic, 2, x / 2, y / 2, 16, 16);
                }
            });
        }
    }
    ::close(fd);
    EXPECT_EQ(previewState, 1);
    EXPECT_EQ(width, 352);
    EXPECT_EQ(height, 240);
    // Three seconds at 25 per second, give or take the start and the machine's load.
    EXPECT_GE(pictures, 60);
    EXPECT_LE(pictures, 80);
    EXPECT_LE(largestPiece, 1400u);
    EXPECT_GT(packetsPerChannel[0], pictures);
    for (unsigned channel = 1; channel <= 3; ++channel)
        EXPECT_GE(packetsPerChannel[channel], 1) << channel;
    // Quadrant 1 red (V high), 2 green (U and V low), 3 blue (U high).
    EXPECT_GT(quadrantV[1], 200);
    EXPECT_LT(quadrantU[2], 105); // (0, 128, 0): U about 91, V about 81
    EXPECT_LT(quadrantV[2], 100);
    EXPECT_GT(quadrantU[3], 200);
}

namespace {

struct UploadRun {
    EncoderUploadResult Result;
    std::vector<int> Progress;
    std::vector<std::string> ServerLog;
};

class DevsimEncoderServer : public ::testing::Test {
  protected:
    void SetUp() override {
        Package = Scratch.Path() + "VP_venc.tar.gz";
        std::ofstream out(Package, std::ios::binary);
        for (int i = 0; i < 5000; ++i)
            out.put(static_cast<char>(i * 7));
    }
    UploadRun Upload(const std::string& fault) {
        const std::string ip = testsupport::FreeDeviceAddress(32);
        const std::string log = Scratch.Path() + fault + ".log";
        testsupport::DevsimProcess devsim;
        EXPECT_TRUE(devsim.Start({"--device", ip, "--encoder-fault", fault, "--encoder-log", log}));
        EncoderUploadRequest request;
        request.EncoderIp = ip;
        request.PackagePath = Package;
        request.ReplyTimeout = std::chrono::milliseconds(200);
        request.EndPause = std::chrono::milliseconds(20);
        UploadRun run;
        run.Result = UploadEncoderPackage(request, [&](int percent) { run.Progress.push_back(percent); });
        // The server writes its last line once the program has closed.
        for (int i = 0;
             i < 50 && (ReadLines(log).empty() || ReadLines(log).back().find(" m ") != std::string::npos);
             ++i)
            usleep(20000);
        usleep(100000);
        run.ServerLog = ReadLines(log);
        devsim.Stop();
        return run;
    }
    testsupport::ScratchFolder Scratch;
    std::string Package;
};

bool Logged(const UploadRun& run, const std::string& what) {
    for (const auto& line : run.ServerLog)
        if (line.find(" " + what) != std::string::npos) return true;
    return false;
}

} // namespace

TEST_F(DevsimEncoderServer, TakesAWholePackageAndHearsTheConfirmation) {
    const UploadRun run = Upload("none");
    EXPECT_EQ(run.Result, EncoderUploadResult::Success);
    ASSERT_FALSE(run.Progress.empty());
    EXPECT_EQ(run.Progress.back(), 100);
    EXPECT_EQ(run.Progress[run.Progress.size() - 2], 99);
    EXPECT_TRUE(Logged(run, "m 5000"));
    EXPECT_TRUE(Logged(run, "package 5000"));
    EXPECT_TRUE(Logged(run, "o 5000"));
    EXPECT_TRUE(Logged(run, "b 5000"));
}

// Each of devsim's encoder faults ends the upload in its own failure, never with 100 %.
TEST_F(DevsimEncoderServer, EachEncoderFaultIsAFailureOfItsKind) {
    const struct {
        const char* Fault;
        EncoderUploadResult Result;
        const char* Logged; // a server log entry that must be there
        const char* NotLogged;
    } rows[] = {
        {"refuse", EncoderUploadResult::ConnectFailed, nullptr, nullptr},
        {"reject", EncoderUploadResult::Refused, nullptr, "b "},
        {"bad-answer", EncoderUploadResult::NoValidReply, "a 5000", nullptr},
        {"silent", EncoderUploadResult::NoValidReply, "a 5000", nullptr},
        {"hang-up", EncoderUploadResult::Success /* any failure */, "hang-up 2500", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Fault);
        const UploadRun run = Upload(row.Fault);
        EXPECT_NE(run.Result, EncoderUploadResult::Success);
        if (row.Result != EncoderUploadResult::Success) {
            EXPECT_EQ(run.Result, row.Result);
        }
        ASSERT_FALSE(run.Progress.empty());
        EXPECT_EQ(run.Progress.back(), -1);
        EXPECT_EQ(std::find(run.Progress.begin(), run.Progress.end(), 100), run.Progress.end());
        if (row.Logged) {
            EXPECT_TRUE(Logged(run, row.Logged));
        }
        if (row.NotLogged) {
            EXPECT_FALSE(Logged(run, row.NotLogged));
        }
        if (row.Result == EncoderUploadResult::ConnectFailed) {
            EXPECT_EQ(run.Progress, std::vector<int>{-1});
        }
    }
}
