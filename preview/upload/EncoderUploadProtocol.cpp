#include "preview/upload/EncoderUploadProtocol.h"

#include <cmath>

EncoderHeader MakeEncoderHeader(EncoderCommand command, uint32_t value) {
    EncoderHeader header{};
    header[0] = 0xFF;
    header[1] = 0x01;
    header[6] = static_cast<uint8_t>(command);
    for (int i = 0; i < 4; ++i) header[7 + i] = static_cast<uint8_t>(value >> (8 * i));
    return header;
}

EncoderReplyCheck CheckEncoderReply(const uint8_t* reply, size_t length) {
    if (!reply || length != EncoderHeaderSize) return EncoderReplyCheck::Invalid;
    if (reply[0] != 0xFF || reply[1] != 0x01 || reply[2] != 0 || reply[3] != 0 || reply[6] != 0x60)
        return EncoderReplyCheck::Invalid;
    return reply[7] == 1 ? EncoderReplyCheck::Accepted : EncoderReplyCheck::Failed;
}

int UploadProgressPercent(uint64_t sent, uint64_t size) {
    if (size == 0) return 0;
    const double percent = static_cast<double>(sent) / static_cast<double>(size) * 100.0 - 1.0;
    return static_cast<int>(std::trunc(percent));
}

bool IsEncoderPackagePath(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name == EncoderPackageName;
}
