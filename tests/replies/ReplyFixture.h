#pragma once
// One recorder for everything a reply causes, in order: the window calls, the pauses and the
// commands sent to the device.
#include "RecordingMainDialog.h"
#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/ReplySleep.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

extern std::function<void(int, uint8_t)> InterimQuerySender;

class ReplyTest : public ::testing::Test {
protected:
    std::vector<std::string> Log;
    RecordingMainDialog Dialog;

    void SetUp() override {
        ResetDeviceState();
        Dialog.Log = &Log;
        TheMainDialog = &Dialog;
        SetReplySleepFunction([this](unsigned ms) { Log.push_back("sleep " + std::to_string(ms)); });
        InterimQuerySender = [this](int command, uint8_t a0) { Log.push_back(CommandText(command, a0)); };
    }
    void TearDown() override {
        TheMainDialog = nullptr;
        SetReplySleepFunction({});
        InterimQuerySender = {};
    }

    // "cmd N" for a bare query, "cmd N a" for one whose first byte is its argument.
    static std::string CommandText(int command, uint8_t a0) {
        switch (command) {
        case 48: case 49: case 50: case 54: case 56: case 66: case 70:
            return "cmd " + std::to_string(command) + " " + std::to_string(a0);
        default: return "cmd " + std::to_string(command);
        }
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
