#include "connect/LinkCommands.h"

#include "app/DeviceCommand.h"
#include "platform/comm/VelkComm.h"

#include <array>

// Until the command encoder is part of the core, the id lives beside the reply callbacks.
extern uint8_t InterimDeviceId;

namespace {
void SendBlock(int command, std::array<uint8_t, 32> block) {
  VelkComm_SendCommand(static_cast<uint32_t>(command), block.data(), InterimDeviceId);
}
std::array<uint8_t, 32> EmptyBlock() {
  std::array<uint8_t, 32> block;
  block.fill(0x55);
  return block;
}
}  // namespace

uint8_t CurrentDeviceId() { return InterimDeviceId; }
void SetCurrentDeviceId(uint8_t id) { InterimDeviceId = id; }

void SendReadAll() { SendBlock(CmdReadAll, EmptyBlock()); }

void SendSearchDevices() {
  auto block = EmptyBlock();
  block[0] = 255;
  SendBlock(CmdSearchDevices, block);
}
