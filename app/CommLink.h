#pragma once
// The core's road to the device-communication library. The program installs the real library
// at start; tests install a recording fake. Every operation returns what the library returns
// (0 success, -1 failure, unless said otherwise).
#include <cstdint>
#include <string>
#include <vector>

class CommLink {
public:
    virtual ~CommLink() = default;

    virtual int SetTargets(const std::vector<uint8_t>& ids) = 0;
    virtual int RegisterCallback(void* callback, int slot) = 0;
    virtual int Close() = 0;
    virtual int ConnectNet(const std::string& ipUtf8, int port) = 0;
    virtual int SendStateBlock(const uint8_t* block2360, uint8_t deviceId) = 0;
    virtual int SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) = 0;
    virtual int SelectLocalAdapter(const std::string& ipUtf8) = 0;
    virtual int DisconnectNet(const std::string& ipUtf8) = 0;
    virtual int SelectDevice(const std::string& ipUtf8) = 0;
    virtual intptr_t OpenCom(int port, int baud) = 0; // 0 on failure
    virtual int CloseCom() = 0;
    virtual int GetVersion(uint8_t* version, int size) = 0;
    virtual int SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId) = 0;
    virtual void SetReplyNotifier(void (*notify)(void* context), void* context) = 0;
    virtual int DispatchReplies() = 0; // number of replies delivered
};

// The installed link; null until the program or a test installs one.
CommLink* GetCommLink();
// Installs the link the core uses from now on (null: none; every send then fails with -1).
void SetCommLink(CommLink* link);

inline constexpr int DevicePort = 61213;
