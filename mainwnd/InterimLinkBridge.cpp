// Until the core has its command encoder and link wrapper, the reply callbacks' registrations
// and follow-up queries go straight to the link library.
#include "app/ReplyCommands.h"
#include "platform/comm/VelkComm.h"

#include <array>
#include <functional>

extern std::function<void(int, uint8_t)> InterimQuerySender;
extern std::function<void(void*, int)> InterimRegister;
extern uint8_t InterimDeviceId;

namespace {
struct InterimLinkBridge {
  InterimLinkBridge() {
    InterimRegister = [](void* callback, int slot) { VelkComm_RegisterCallback(callback, slot); };
    InterimQuerySender = [](int command, uint8_t a0) {
      std::array<uint8_t, 32> block;
      block.fill(0x55);
      block[0] = a0;
      VelkComm_SendCommand(static_cast<uint32_t>(command), block.data(), InterimDeviceId);
    };
  }
} bridge;
}  // namespace
