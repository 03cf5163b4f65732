// Until the reply callbacks use the command encoder and the link wrapper themselves, their
// registrations and follow-up queries are handed to them here.
#include "app/CommLink.h"
#include "app/DeviceState.h"
#include "app/ReplyCommands.h"
#include "mainwnd/InterimLinkBridge.h"

#include <functional>

extern std::function<void(int, uint8_t)> InterimQuerySender;
extern std::function<void(void*, int)> InterimRegister;

void InstallInterimLinkBridge() {
    InterimRegister = [](void* callback, int slot) {
      if (CommLink* link = GetCommLink()) link->RegisterCallback(callback, slot);
    };
    InterimQuerySender = [](int command, uint8_t a0) {
      GetDeviceState().SendCommand(static_cast<uint16_t>(command), a0);
    };
}
