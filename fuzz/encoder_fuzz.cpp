// Any state the device or a project could leave behind, any command and arguments: the encoder
// must never read outside the state, and whatever it sends is a whole 32-byte block.
#include "app/CommLink.h"
#include "app/ConnectNetwork.h"
#include "app/DeviceState.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

class CheckingLink final : public CommLink {
public:
    int SetTargets(const std::vector<uint8_t>&) override { return 0; }
    int RegisterCallback(void*, int) override { return 0; }
    int Close() override { return 0; }
    int ConnectNet(const std::string& ip, int) override { return IsDottedIPv4(ip) ? 0 : Crash(); }
    int SendStateBlock(const uint8_t* block, uint8_t) override { return Sum(block, StateBlockSize); }
    int SendCommand(uint32_t command, const uint8_t* block, uint8_t) override {
        return command > 0xFFFF ? Crash() : Sum(block, 32);
    }
    int SelectLocalAdapter(const std::string&) override { return 0; }
    int DisconnectNet(const std::string&) override { return 0; }
    int SelectDevice(const std::string&) override { return 0; }
    intptr_t OpenCom(int, int) override { return 0; }
    int CloseCom() override { return 0; }
    int GetVersion(uint8_t*, int) override { return 0; }
    int SendCaptionChunk(uint32_t, uint16_t, const uint8_t*, uint8_t) override { return 0; }
    void SetReplyNotifier(void (*)(void*), void*) override {}
    int DispatchReplies() override { return 0; }

private:
    // Reads every byte, so the sanitizer sees a short buffer.
    static int Sum(const uint8_t* bytes, size_t count) {
        int sum = 0;
        for (size_t i = 0; i < count; ++i) sum += bytes[i];
        return sum >= 0 ? 0 : -1;
    }
    static int Crash() { __builtin_trap(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CheckingLink link;
    SetCommLink(&link);
    DeviceState& state = GetDeviceState();
    uint8_t block[StateBlockSize] = {};
    const size_t blockBytes = size < StateBlockSize ? size : StateBlockSize;
    std::memcpy(block, data, blockBytes);
    state.StateBlock::Assign(block);
    data += blockBytes;
    size -= blockBytes;
    // Page-held values that the encoder reads with.
    if (size >= 2) {
        state.LogoShownSlot = data[0];
        state.LayerWindowExtra[data[1] % LayerCount].FullScreen = data[1];
        data += 2;
        size -= 2;
    }
    while (size >= 2) {
        const uint16_t command = static_cast<uint16_t>(data[0] | data[1] << 8);
        data += 2;
        size -= 2;
        CommandArgs args{};
        const size_t argBytes = size < args.size() ? size : args.size();
        std::memcpy(args.data(), data, argBytes);
        data += argBytes;
        size -= argBytes;
        state.SendCommand(command, args);
        for (uint32_t layer = 0; layer < 6; ++layer)
            if (const auto row = state.GetLayerInputIndex(layer); row && *row >= InputRowCount) __builtin_trap();
        ConnectNetwork(std::string_view(reinterpret_cast<const char*>(args.data()), argBytes));
    }
    ResetDeviceState();
    return 0;
}
