#include "support/RecordingCommLink.h"

#include <algorithm>

std::vector<uint8_t> LinkCall::CommandPayload() const {
    std::vector<uint8_t> payload(4 + Bytes.size());
    for (size_t i = 0; i < 4; ++i) payload[i] = static_cast<uint8_t>(Command >> (8 * i));
    std::copy(Bytes.begin(), Bytes.end(), payload.begin() + 4);
    return payload;
}

namespace {
LinkCall Named(const char* operation) {
    LinkCall call;
    call.Operation = operation;
    return call;
}
} // namespace

int RecordingCommLink::SetTargets(const std::vector<uint8_t>& ids) {
    LinkCall call = Named("SetTargets");
    call.Bytes = ids;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::RegisterCallback(void*, int slot) {
    LinkCall call = Named("RegisterCallback");
    call.Number = slot;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::Close() {
    Calls.push_back(Named("Close"));
    return Result;
}
int RecordingCommLink::ConnectNet(const std::string& ipUtf8, int port) {
    LinkCall call = Named("ConnectNet");
    call.Text = ipUtf8;
    call.Number = port;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::SendStateBlock(const uint8_t* block2360, uint8_t deviceId) {
    LinkCall call = Named("SendStateBlock");
    call.Bytes.assign(block2360, block2360 + 2360);
    call.DeviceId = deviceId;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) {
    LinkCall call = Named("SendCommand");
    call.Command = command;
    call.Bytes.assign(block32, block32 + 32);
    call.DeviceId = deviceId;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::SelectLocalAdapter(const std::string& ipUtf8) {
    LinkCall call = Named("SelectLocalAdapter");
    call.Text = ipUtf8;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::DisconnectNet(const std::string& ipUtf8) {
    LinkCall call = Named("DisconnectNet");
    call.Text = ipUtf8;
    Calls.push_back(call);
    return Result;
}
int RecordingCommLink::SelectDevice(const std::string& ipUtf8) {
    LinkCall call = Named("SelectDevice");
    call.Text = ipUtf8;
    Calls.push_back(call);
    return Result;
}
intptr_t RecordingCommLink::OpenCom(int port, int baud) {
    LinkCall call = Named("OpenCom");
    call.Number = port;
    call.Number2 = baud;
    Calls.push_back(call);
    return Result == 0 ? 1 : 0; // a handle on success
}
int RecordingCommLink::CloseCom() {
    Calls.push_back(Named("CloseCom"));
    return Result;
}
int RecordingCommLink::GetVersion(uint8_t* version, int size) {
    Calls.push_back(Named("GetVersion"));
    if (version && size >= 2) {
        version[0] = 1;
        version[1] = 0;
    }
    return Result;
}
int RecordingCommLink::SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId) {
    LinkCall call = Named("SendCaptionChunk");
    call.Number = static_cast<int>(offset);
    if (data) call.Bytes.assign(data, data + length);
    call.DeviceId = deviceId;
    Calls.push_back(call);
    return Result;
}
void RecordingCommLink::SetReplyNotifier(void (*)(void*), void*) { Calls.push_back(Named("SetReplyNotifier")); }
int RecordingCommLink::DispatchReplies() {
    Calls.push_back(Named("DispatchReplies"));
    return 0;
}

std::vector<LinkCall> RecordingCommLink::CallsOf(const std::string& operation) const {
    std::vector<LinkCall> found;
    for (const LinkCall& call : Calls)
        if (call.Operation == operation) found.push_back(call);
    return found;
}
