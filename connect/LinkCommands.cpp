#include "connect/LinkCommands.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"

uint8_t CurrentDeviceId() { return DeviceId; }

void SetCurrentDeviceId(uint8_t id) { DeviceId = id; }

void SendReadAll() { GetDeviceState().SendCommand(CmdReadAll); }

void SendSearchDevices() { GetDeviceState().SendCommand(CmdSearchDevices, 255); }
