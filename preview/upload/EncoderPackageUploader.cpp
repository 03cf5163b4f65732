#include "preview/upload/EncoderPackageUploader.h"

#include <system_error>

EncoderPackageUploader::~EncoderPackageUploader() {
    Cancel();
    Join();
}

bool EncoderPackageUploader::Start(EncoderUploadRequest request, UploadProgress progress, Finished finished) {
    if (Running.load()) return false;
    Join(); // a finished upload's thread
    CancelFlag = std::make_unique<UploadCancel>();
    Running = true;
    try {
        Worker = std::thread([this, request = std::move(request), progress = std::move(progress),
                              finished = std::move(finished), cancel = CancelFlag.get()] {
            const EncoderUploadResult result = UploadEncoderPackage(request, progress, cancel);
            if (finished) finished(result);
            Running = false;
        });
    } catch (const std::system_error&) {
        Running = false;
        return false;
    }
    return true;
}

void EncoderPackageUploader::Cancel() {
    if (CancelFlag) CancelFlag->Set();
}

void EncoderPackageUploader::Join() {
    if (Worker.joinable()) Worker.join();
}
