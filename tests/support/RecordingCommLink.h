#pragma once
// A stand-in for the device-communication library that records every call, so tests can check
// exactly what the core hands to the link. Install it with SetCommLink (or the Scoped helper).
#include "app/CommLink.h"

#include <cstdint>
#include <string>
#include <vector>

struct LinkCall {
    std::string Operation;      // the library operation's name without its prefix, e.g. "SendCommand"
    uint32_t Command = 0;       // SendCommand
    std::vector<uint8_t> Bytes; // the block, state block, caption data or target ids
    uint8_t DeviceId = 0;
    std::string Text;           // the address of ConnectNet, SelectDevice, ...
    int Number = 0;             // port, slot, COM number
    int Number2 = 0;            // baud rate

    // The COMMAND frame's payload: the command as u32 (low byte first), then the 32-byte block.
    std::vector<uint8_t> CommandPayload() const;
};

class RecordingCommLink : public CommLink {
public:
    std::vector<LinkCall> Calls;
    int Result = 0; // what every operation returns

    int SetTargets(const std::vector<uint8_t>& ids) override;
    int RegisterCallback(void* callback, int slot) override;
    int Close() override;
    int ConnectNet(const std::string& ipUtf8, int port) override;
    int SendStateBlock(const uint8_t* block2360, uint8_t deviceId) override;
    int SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) override;
    int SelectLocalAdapter(const std::string& ipUtf8) override;
    int DisconnectNet(const std::string& ipUtf8) override;
    int SelectDevice(const std::string& ipUtf8) override;
    intptr_t OpenCom(int port, int baud) override;
    int CloseCom() override;
    int GetVersion(uint8_t* version, int size) override;
    int SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId) override;
    void SetReplyNotifier(void (*notify)(void* context), void* context) override;
    int DispatchReplies() override;

    // The calls of one operation, in order.
    std::vector<LinkCall> CallsOf(const std::string& operation) const;
};

// Installs a recording link for the life of a test and removes it afterwards.
class ScopedRecordingLink {
public:
    ScopedRecordingLink() { SetCommLink(&Link); }
    ~ScopedRecordingLink() { SetCommLink(nullptr); }
    RecordingCommLink Link;
};
