#pragma once
#include "app/DeviceState.h"
#include "support/RecordingCommLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

// A 32-byte block of 0x55 with the named bytes set.
inline std::vector<uint8_t> Block(std::initializer_list<std::pair<int, int>> bytes) {
    std::vector<uint8_t> block(32, 0x55);
    for (const auto& [at, value] : bytes) block.at(static_cast<size_t>(at)) = static_cast<uint8_t>(value);
    return block;
}

// The 36-byte COMMAND payload: u32 command, low byte first, then the block.
inline std::vector<uint8_t> Payload(uint32_t command, const std::vector<uint8_t>& block) {
    std::vector<uint8_t> payload(4 + block.size());
    for (size_t i = 0; i < 4; ++i) payload[i] = static_cast<uint8_t>(command >> (8 * i));
    std::copy(block.begin(), block.end(), payload.begin() + 4);
    return payload;
}

class EncoderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }

    // The payload of the one command the last send put on the link.
    std::vector<uint8_t> LastPayload() {
        const auto sent = scoped.Link.CallsOf("SendCommand");
        if (sent.empty()) return {};
        return sent.back().CommandPayload();
    }
    size_t SentCount() const { return scoped.Link.CallsOf("SendCommand").size(); }

    ScopedRecordingLink scoped;
    DeviceState& state = GetDeviceState();
};
