#pragma once
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// A stand-in for the preview encoder's package server on 127.0.0.1 (a free port): reads the
// announcement, the package and the end header, answers with the scripted replies, then keeps
// reading until the client closes. Everything it received is kept for the test to check.
class FakeEncoderServer {
public:
    struct Script {
        std::vector<std::vector<uint8_t>> Replies;  // written in order after the end header
        bool SplitEachReply = false;                 // each reply in two writes, 30 ms apart
        size_t CloseAfterBytes = SIZE_MAX;           // hang up once this much has arrived
        bool NeverAnswer = false;
    };

    explicit FakeEncoderServer(Script script);
    ~FakeEncoderServer();
    uint16_t Port() const { return ListenPort; }
    // Waits for the client to close (at most 10 s) and returns every byte the server read.
    std::vector<uint8_t> Received();
    // Whether a client connected; valid after Received.
    bool Accepted() const { return WasAccepted; }

private:
    void Serve();
    Script Plan;
    int ListenFd = -1;
    uint16_t ListenPort = 0;
    std::thread Thread;
    std::mutex Mutex;
    std::vector<uint8_t> Bytes;
    bool WasAccepted = false;
};

// The reply the encoder sends: FF 01 00 00 00 00 60 <result> ...
std::vector<uint8_t> EncoderReply(uint8_t result, uint8_t letter = 0x60);

// Headers and package of what a client sent: the first header, the package bytes it announced,
// then every further header.
struct SentUpload {
    std::vector<std::pair<char, uint32_t>> Headers;
    std::vector<uint8_t> Package;
    bool WellFormed = true;
};
SentUpload ParseSentUpload(const std::vector<uint8_t>& bytes, size_t packageBytes);
