#include "app/comm_link_real/RealCommLink.h"

#include "platform/comm/VelkComm.h"

#include <climits>

int RealCommLink::SetTargets(const std::vector<uint8_t>& ids) {
    if (ids.size() > static_cast<size_t>(INT_MAX)) return -1;
    return VelkComm_SetTargets(static_cast<int>(ids.size()), ids.data());
}
int RealCommLink::RegisterCallback(void* callback, int slot) { return VelkComm_RegisterCallback(callback, slot); }
int RealCommLink::Close() { return VelkComm_Close(); }
int RealCommLink::ConnectNet(const std::string& ipUtf8, int port) { return VelkComm_ConnectNet(ipUtf8.c_str(), port); }
int RealCommLink::SendStateBlock(const uint8_t* block2360, uint8_t deviceId) {
    return VelkComm_SendStateBlock(block2360, deviceId);
}
int RealCommLink::SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) {
    return VelkComm_SendCommand(command, block32, deviceId);
}
int RealCommLink::SelectLocalAdapter(const std::string& ipUtf8) { return VelkComm_SelectLocalAdapter(ipUtf8.c_str()); }
int RealCommLink::DisconnectNet(const std::string& ipUtf8) { return VelkComm_DisconnectNet(ipUtf8.c_str()); }
int RealCommLink::SelectDevice(const std::string& ipUtf8) { return VelkComm_SelectDevice(ipUtf8.c_str()); }
intptr_t RealCommLink::OpenCom(int port, int baud) { return VelkComm_OpenCom(port, baud); }
int RealCommLink::CloseCom() { return VelkComm_CloseCom(); }
int RealCommLink::GetVersion(uint8_t* version, int size) { return VelkComm_GetVersion(version, size); }
int RealCommLink::SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId) {
    return VelkComm_SendCaptionChunk(offset, length, data, deviceId);
}
void RealCommLink::SetReplyNotifier(void (*notify)(void* context), void* context) {
    VelkComm_SetReplyNotifier(notify, context);
}
int RealCommLink::DispatchReplies() { return VelkComm_DispatchReplies(); }
