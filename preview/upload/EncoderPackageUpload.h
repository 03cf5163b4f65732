#pragma once
#include "preview/upload/EncoderUploadProtocol.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

// What one upload needs, read from the page when the operator clicks Update.
struct EncoderUploadRequest {
    std::string EncoderIp;   // dotted IPv4 of the preview encoder
    std::string PackagePath; // the package file, named EncoderPackageName
    uint16_t Port = EncoderUploadPort;
    std::chrono::milliseconds ReplyTimeout{1000};  // per answer
    std::chrono::milliseconds AnnouncePause{50};   // after the announcement
    std::chrono::milliseconds EndPause{500};       // before the end header
    std::chrono::milliseconds ConnectTimeout{3000};
    std::chrono::milliseconds SendStallLimit{10000}; // a peer that takes nothing this long has failed
};

enum class EncoderUploadResult {
    Success,        // the encoder took the package
    Refused,        // the encoder answered that it failed
    ConnectFailed,  // no address, or no connection
    FileFailed,     // not the package, unreadable, too big, or shorter than its size
    AnnounceFailed, // the announcement could not be sent
    SendFailed,     // a piece or the end header could not be sent
    NoValidReply,   // seven answers, none valid (or the encoder went away)
    Cancelled,      // stopped by the page
};

// Lets the page stop an upload in progress (when it closes); waits end early once it is set.
class UploadCancel {
public:
    void Set();
    bool IsSet() const { return Flag.load(); }
    // Sleeps for the time or until cancelled; false when cancelled.
    bool SleepFor(std::chrono::milliseconds time);

private:
    std::atomic<bool> Flag{false};
    std::mutex Mutex;
    std::condition_variable Wake;
};

// Progress reports, called on the uploading thread: 0..99 after each piece, 100 when the encoder
// took the package, -1 on failure ("Update Failure").
using UploadProgress = std::function<void(int percent)>;

// Sends the package to the encoder: announce its size, send it in 2048-byte pieces, end, wait for
// the encoder's answer, confirm or abort. Blocks until done; run it on a worker thread.
EncoderUploadResult UploadEncoderPackage(const EncoderUploadRequest& request,
                                         const UploadProgress& progress,
                                         UploadCancel* cancel = nullptr);
