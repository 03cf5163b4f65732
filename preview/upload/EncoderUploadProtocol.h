#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The preview encoder's package server (TCP port 8877): every command and every answer is a
// 15-byte header FF 01 00 00 00 00 <letter> <u32 value, little-endian> 00 00 00 00.
inline constexpr uint16_t EncoderUploadPort = 8877;
inline constexpr size_t EncoderHeaderSize = 15;
inline constexpr size_t EncoderPieceSize = 2048;
inline constexpr std::string_view EncoderPackageName = "VP_venc.tar.gz";

enum class EncoderCommand : uint8_t {
    Announce = 0x6D, // 'm', value = package size in bytes
    End = 0x6F,      // 'o', value = bytes sent
    Confirm = 0x62,  // 'b', value = bytes sent
    Abort = 0x61,    // 'a', value = the previous header's value
};

using EncoderHeader = std::array<uint8_t, EncoderHeaderSize>;

EncoderHeader MakeEncoderHeader(EncoderCommand command, uint32_t value);

// An answer counts only when it is a whole header with FF 01 00 00 and the letter 0x60; its
// byte 7 then says whether the encoder took the package.
enum class EncoderReplyCheck { Invalid, Accepted, Failed };
EncoderReplyCheck CheckEncoderReply(const uint8_t* reply, size_t length);

// Progress after a piece: sent / size x 100 - 1, truncated toward zero, so the last piece shows
// 99 and only the encoder's acceptance shows 100.
int UploadProgressPercent(uint64_t sent, uint64_t size);

// The encoder takes only its own package: the file name (without folder) must match exactly.
bool IsEncoderPackagePath(std::string_view path);
