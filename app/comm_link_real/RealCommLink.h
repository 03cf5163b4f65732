#pragma once
#include "app/CommLink.h"

// The link through the device-communication library (libvelk_comm.so): each operation is one
// call of the library's C interface.
class RealCommLink final : public CommLink {
public:
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
};
