#include "connect/LinkCommands.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"

// The reply callbacks still keep their own copy of the addressed device's id.
extern uint8_t InterimDeviceId;

uint8_t CurrentDeviceId() { return DeviceId; }

void SetCurrentDeviceId(uint8_t id) {
  DeviceId = id;
  InterimDeviceId = id;
}

void SendReadAll() { GetDeviceState().SendCommand(CmdReadAll); }

void SendSearchDevices() { GetDeviceState().SendCommand(CmdSearchDevices, 255); }
