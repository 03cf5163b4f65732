#pragma once
// One recorder for everything a reply causes, in order: the window calls, the pauses and the
// commands sent to the device.
#include "RecordingMainDialog.h"
#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/MachineAtWork.h"
#include "app/ReplySleep.h"
#include "support/RecordingCommLink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

// The recording link, also writing each command into the shared log: "cmd N" for a bare query,
// "cmd N a" for one whose block byte 0 is its argument.
class LoggingCommLink : public RecordingCommLink {
public:
    std::vector<std::string>* Log = nullptr;
    std::vector<std::pair<void*, int>> Registered;
    int SelectDevice(const std::string& ip) override {
        if (Log) Log->push_back("select " + ip);
        return RecordingCommLink::SelectDevice(ip);
    }
    int RegisterCallback(void* callback, int slot) override {
        Registered.emplace_back(callback, slot);
        return RecordingCommLink::RegisterCallback(callback, slot);
    }
    int SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) override {
        if (Log) Log->push_back(CommandText(command, block32[0]));
        return RecordingCommLink::SendCommand(command, block32, deviceId);
    }
    static std::string CommandText(uint32_t command, uint8_t byte0) {
        switch (command) {
        case 48: case 49: case 50: case 54: case 56: case 66: case 70:
            return "cmd " + std::to_string(command) + " " + std::to_string(byte0);
        default: return "cmd " + std::to_string(command);
        }
    }
};

class ReplyTest : public ::testing::Test {
protected:
    std::vector<std::string> Log;
    RecordingMainDialog Dialog;
    LoggingCommLink Link;

    void SetUp() override {
        ResetDeviceState();
        ResetMachineAtWork();
        Dialog.Log = &Log;
        TheMainDialog = &Dialog;
        SetReplySleepFunction([this](unsigned ms) { Log.push_back("sleep " + std::to_string(ms)); });
        Link.Log = &Log;
        SetCommLink(&Link);
        DeviceId = InitialDeviceId;
    }
    void TearDown() override {
        TheMainDialog = nullptr;
        ResetMachineAtWork();
        SetReplySleepFunction({});
        SetCommLink(nullptr);
        DeviceId = InitialDeviceId;
    }

    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (const auto& entry : Log)
            if (entry.rfind("cmd ", 0) == 0) out.push_back(entry);
        return out;
    }

    static StateBlock BlockOf(const DeviceState& state) { return static_cast<const StateBlock&>(state); }
};

inline bool SameBlock(const StateBlock& a, const StateBlock& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
