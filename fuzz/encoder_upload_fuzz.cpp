// Arbitrary bytes as the preview encoder's answer to a package upload: only a whole 15-byte
// header with the right magic and letter counts, and nothing outside the answer is read.
#include "preview/upload/EncoderUploadProtocol.h"

#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy, so that a read past the answer is a read past the heap block.
    const std::vector<uint8_t> answer(data, data + size);
    const EncoderReplyCheck check = CheckEncoderReply(answer.data(), answer.size());
    if (check != EncoderReplyCheck::Invalid) {
        if (size < EncoderHeaderSize || data[0] != 0xFF || data[1] != 0x01 || data[6] != 0x60) __builtin_trap();
        if ((check == EncoderReplyCheck::Accepted) != (data[7] == 1)) __builtin_trap();
    }
    (void)IsEncoderPackagePath(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= 16) {
        uint64_t sent = 0, total = 0;
        for (int i = 0; i < 8; ++i) sent |= uint64_t{data[i]} << (8 * i);
        for (int i = 0; i < 8; ++i) total |= uint64_t{data[8 + i]} << (8 * i);
        // The uploader never counts more bytes sent than the package holds.
        if (sent <= total && total > 0) {
            const int percent = UploadProgressPercent(sent, total);
            if (percent < -1 || percent > 99) __builtin_trap();
        }
    }
    return 0;
}
