// Moves frames between the simulated devices and their sockets and serial line.
#pragma once
#include "platform/comm/LinkFrame.h"
#include "tools/devsim/DevsimOptions.h"
#include "tools/devsim/EncoderPackageServer.h"
#include "tools/devsim/PreviewStream.h"
#include "tools/devsim/SimDevice.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

namespace devsim {

// Counted by the SIGUSR1 handler: each signal turns the preview over (--usr1-preview) and applies
// the next of --usr1-source's changes.
inline std::atomic<unsigned> sourceSignals{0};

class DevsimServer {
public:
    DevsimServer(Options options, const StateBlock& state);
    ~DevsimServer();
    // Binds every socket and opens the serial line; false (with a message on stderr) when one fails.
    bool Start();
    // Serves until `stop` becomes true.
    void Run(const std::atomic<bool>& stop);

private:
    struct Connection {
        int fd = -1;
        size_t device = 0;
        bool serial = false;
        velklink::FrameStreamParser parser;
        std::vector<uint8_t> out;
        unsigned framesIn = 0;
        unsigned repliesOut = 0;
        size_t previewPicture = 0; // the next picture of the preview loop for this link
        // Replies held back (--status-delay, --record-delay-for), in order, with their due times.
        std::deque<std::pair<std::chrono::steady_clock::time_point, Reply>> held;
    };
    // How late a frame's answers go out: its operation status, and its other replies.
    struct AnswerDelays {
        unsigned statusMs = 0;
        unsigned recordsMs = 0;
    };

    void Accept(size_t device, int listenFd);
    void ReadDatagrams(int fd);
    void Serve(Connection& c);
    // Holds back the replies that are to come late; sends the others.
    void Answer(Connection& c, const std::vector<Reply>& replies, AnswerDelays delays);
    // How late this frame is answered (--status-delay, --status-delay-for, --record-delay-for).
    AnswerDelays DelaysFor(const velklink::Frame& frame) const;
    // Every --report-every seconds each device reports its feathering unasked on every network
    // link that has spoken; returns how long until the next report (ms), or -1.
    int ReportUnasked();
    // Sends the held replies that are due; returns how long until the next one is (ms), or -1.
    int SendHeldReplies();
    void SendReplies(Connection& c, const std::vector<Reply>& replies);
    void Flush(Connection& c);
    void Log(const SimDevice& d, const velklink::Frame& frame);
    bool OpenSerial();
    // Sends the next preview picture on every network link that said HELLO to a device whose
    // preview is on; returns how long until the next one is due (ms).
    int StreamPreview();
    // Applies what SIGUSR1 stands for (--usr1-preview, --usr1-source) on every device and
    // reports it unasked on each link that has spoken.
    void ApplySignal();
    void TurnPreview();
    // Runs the lines appended to the control file since the last look (--control).
    void ReadControl();

    Options options_;
    std::vector<std::unique_ptr<SimDevice>> devices_;
    std::vector<int> listenFds_;
    std::vector<int> unicastFds_;
    int broadcastFd_ = -1;
    std::vector<std::unique_ptr<Connection>> connections_;
    FILE* log_ = nullptr;
    std::vector<std::unique_ptr<EncoderPackageServer>> encoders_;
    PreviewStream preview_;
    std::chrono::steady_clock::time_point nextPicture_{};
    unsigned picturesSent_ = 0;
    unsigned sourceSignalsApplied_ = 0;
    std::chrono::steady_clock::time_point nextReport_{};
    long controlRead_ = 0;      // bytes of the control file already run
    std::string controlLine_;   // a line not yet ended
};

} // namespace devsim
