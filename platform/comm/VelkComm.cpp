// The exported C interface: thin entries into the one LinkEngine.
#include "platform/comm/VelkComm.h"

#include "platform/comm/LinkEngine.h"

using velklink::TheLinkEngine;

extern "C" {

int VelkComm_SetTargets(int count, const uint8_t* ids) { return TheLinkEngine().SetTargets(count, ids); }
int VelkComm_RegisterCallback(void* callback, int slot) { return TheLinkEngine().RegisterCallback(callback, slot); }
int VelkComm_Close(void) { return TheLinkEngine().Close(); }
int VelkComm_ConnectNet(const char* ipUtf8, int port) { return TheLinkEngine().ConnectNet(ipUtf8, port); }
int VelkComm_SendStateBlock(const uint8_t* block2360, uint8_t deviceId) {
    return TheLinkEngine().SendStateBlock(block2360, deviceId);
}
int VelkComm_SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) {
    return TheLinkEngine().SendCommand(command, block32, deviceId);
}
int VelkComm_SelectLocalAdapter(const char* ipUtf8) { return TheLinkEngine().SelectLocalAdapter(ipUtf8); }
int VelkComm_DisconnectNet(const char* ipUtf8) { return TheLinkEngine().DisconnectNet(ipUtf8); }
int VelkComm_SelectDevice(const char* ipUtf8) { return TheLinkEngine().SelectDevice(ipUtf8); }
intptr_t VelkComm_OpenCom(int port, int baud) { return TheLinkEngine().OpenCom(port, baud); }
int VelkComm_CloseCom(void) { return TheLinkEngine().CloseCom(); }

int VelkComm_GetVersion(uint8_t* version, int size) {
    if (!version || size < 2) return -1;
    version[0] = 1; // major
    version[1] = 0; // minor
    return 0;
}

int VelkComm_SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId) {
    return TheLinkEngine().SendCaptionChunk(offset, length, data, deviceId);
}
void VelkComm_SetReplyNotifier(void (*notify)(void* context), void* context) {
    TheLinkEngine().SetReplyNotifier(notify, context);
}
int VelkComm_DispatchReplies(void) { return TheLinkEngine().DispatchReplies(); }

} // extern "C"
