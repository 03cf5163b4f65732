#pragma once
#include "preview/upload/EncoderPackageUpload.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// Runs one package upload at a time on a worker thread owned by the page. A click while an
// upload runs is refused, so two uploads never interleave on the encoder. Destruction (the
// page closing) cancels a running upload and joins its thread.
class EncoderPackageUploader {
public:
    using Finished = std::function<void(EncoderUploadResult)>;

    ~EncoderPackageUploader();

    // progress and finished are called on the worker thread; the page hands them to its UI thread.
    bool Start(EncoderUploadRequest request, UploadProgress progress, Finished finished = {});
    bool IsRunning() const { return Running.load(); }
    void Cancel();
    void Join();

private:
    std::thread Worker;
    std::atomic<bool> Running{false};
    std::unique_ptr<UploadCancel> CancelFlag;
};
