#include "connect/LinkCommands.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"

void SendReadAll() { GetDeviceState().SendCommand(CmdReadAll); }

void SendSearchDevices() { GetDeviceState().SendCommand(CmdSearchDevices, 255); }
