#include "app/ReplyCommands.h"

#include "app/CommLink.h"
#include "app/DeviceState.h"

void SendQuery(int command, uint8_t a0) { GetDeviceState().SendCommand(static_cast<uint16_t>(command), a0); }

void RegisterReplyCallback(void* callback, int slot) {
    if (CommLink* link = GetCommLink()) link->RegisterCallback(callback, slot);
}
