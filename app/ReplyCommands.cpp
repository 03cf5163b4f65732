// Interim link bridge until the command encoder and the link wrapper arrive.
#include "app/ReplyCommands.h"

#include <functional>

std::function<void(int, uint8_t)> InterimQuerySender;
uint8_t InterimDeviceId = 110;

void SendQuery(int command, uint8_t a0) {
    if (InterimQuerySender) InterimQuerySender(command, a0);
}

std::function<void(void*, int)> InterimRegister;
void RegisterReplyCallback(void* callback, int slot) {
    if (InterimRegister) InterimRegister(callback, slot);
}
