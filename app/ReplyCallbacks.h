#pragma once
// The 32 reply callbacks that the device link calls, one per reply slot, on the UI thread.
// Each decodes its payload into DeviceState, tells the main dialog which slot arrived, and
// sometimes sends follow-up queries. Every one does nothing while no main dialog exists.
#include <cstdint>

// Hands one callback per slot to the link library.
void RegisterReplyCallbacks();

void OnReplyConnectionStatus(const uint8_t* data, uint8_t id);
void OnReplyPreviewState(const uint8_t* data, uint8_t id);
void OnReplyFullState(const uint8_t* block, uint8_t id);
void OnReplyGrabColor(const uint8_t* data, uint8_t id);
void OnReplyInputSignal(const uint8_t* data, uint8_t id);
void OnReplyVga(const uint8_t* data, uint8_t id);
void OnReplyEdid(const uint8_t* data, uint8_t id);
void OnReplySchedule(const uint8_t* data, uint8_t id);
void OnReplyPicture(const uint8_t* global, const uint8_t* record, uint32_t layer, uint32_t extra, uint8_t id);
void OnReplyOutputResolution(const uint8_t* data, uint8_t id);
void OnReplyLayerWindow(const uint8_t* data, uint32_t layer, uint8_t id);
void OnReplyCrop(const uint8_t* record, uint32_t layer, uint32_t extra, uint8_t id);
void OnReplyMosaic(const uint8_t* data, uint32_t argument, uint8_t id);
void OnReplyDateTime(const uint8_t* data, uint8_t id);
void OnReplyLayerSources(const uint8_t* data, uint32_t count, uint8_t id);
void OnReplyLogo(const uint8_t* data, uint8_t id);
void OnReplyKeyer(const uint8_t* data, uint8_t id);
void OnReplyPresetStates(const uint8_t* data, uint8_t id);
void OnReplyLoopOut(const uint8_t* data, uint8_t id);
void OnReplySystemInfo(const uint8_t* data, uint8_t id);
void OnReplyPvwMode(const uint8_t* data, uint8_t id);
void OnReplyDpSplitMode(const uint8_t* data, uint8_t id);
void OnReplyInputStates(const uint8_t* data, uint8_t id);
void OnReplyDeviceOnline(const uint8_t* data, uint8_t id);
void OnReplyOperationStatus(const uint8_t* data, uint8_t id);
void OnReplyCaption(const uint8_t* data, uint8_t id);
void OnReplyPreviewStream(const uint8_t* data, uint32_t length, uint32_t channel);
void OnReplyDeviceInfo(const char* ipText, const uint8_t* mac);
void OnReplyVideoEncoder(const uint8_t* data, uint8_t id);
void OnReplyExtensionCard(const uint8_t* data, uint8_t id);
void OnReplyFeather(const uint8_t* data, uint8_t id);
void OnReplyFreezeState(const uint8_t* data, uint8_t id);
