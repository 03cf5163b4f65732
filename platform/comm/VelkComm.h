/* The device-communication library: the program's only road to a processor.
 * Built as libvelk_comm.so; every operation returns 0 on success and -1 on failure
 * unless its comment says otherwise. Replies are delivered only inside
 * VelkComm_DispatchReplies, on the caller's thread. */
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VELKCOMM_EXPORT __attribute__((visibility("default")))

VELKCOMM_EXPORT int VelkComm_SetTargets(int count, const uint8_t* ids);                    /* 1 */
VELKCOMM_EXPORT int VelkComm_RegisterCallback(void* callback, int slot);                  /* 2, slot 0..31 */
VELKCOMM_EXPORT int VelkComm_Close(void);                                                 /* 3 */
VELKCOMM_EXPORT int VelkComm_ConnectNet(const char* ipUtf8, int port);                    /* 4 */
VELKCOMM_EXPORT int VelkComm_SendStateBlock(const uint8_t* block2360, uint8_t deviceId);  /* 5 */
VELKCOMM_EXPORT int VelkComm_SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId); /* 6 */
VELKCOMM_EXPORT int VelkComm_SelectLocalAdapter(const char* ipUtf8);                      /* 8 */
VELKCOMM_EXPORT int VelkComm_DisconnectNet(const char* ipUtf8);                           /* 9 */
VELKCOMM_EXPORT int VelkComm_SelectDevice(const char* ipUtf8);                            /* 10 */
VELKCOMM_EXPORT intptr_t VelkComm_OpenCom(int port, int baud);                            /* 11, 0 on failure */
VELKCOMM_EXPORT int VelkComm_CloseCom(void);                                              /* 12 */
VELKCOMM_EXPORT int VelkComm_GetVersion(uint8_t* version, int size);                      /* 13 */
VELKCOMM_EXPORT int VelkComm_SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data,
                                              uint8_t deviceId);                          /* 14 */
/* Called from the library's thread when replies are waiting (once, until the next dispatch). */
VELKCOMM_EXPORT void VelkComm_SetReplyNotifier(void (*notify)(void* context), void* context);
/* Calls the registered callbacks for every waiting reply, in arrival order; returns how many. */
VELKCOMM_EXPORT int VelkComm_DispatchReplies(void);

#ifdef __cplusplus
}
#endif
