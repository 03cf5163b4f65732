/* The device-communication library: the program's only road to a processor.
 * Built as libvelk_comm.so; every operation returns 0 on success and -1 on failure
 * unless its comment says otherwise. Replies are delivered only inside
 * VelkComm_DispatchReplies, on the caller's thread.
 *
 * Which machine's replies reach the program: once VelkComm_SelectDevice has named the controlled
 * machine, a network link to any other machine delivers only its connection status (slot 0) and
 * its answers to PING (slot 23), so the machine list still sees it come, go and answer; every
 * other reply of it (its preview state and stream included) is dropped when it would be
 * dispatched. Whether a reply is delivered is decided at dispatch, so replies of a machine that a
 * callback has just selected are delivered. When the controlled machine changes, its last preview
 * state (slot 1) is delivered again, as it was held back before. The serial link, search answers
 * (slot 27), and every link while no machine is controlled (before the first SelectDevice, or
 * after VelkComm_DisconnectNet of the controlled machine) deliver all their replies. */
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
/* 10: records the controlled machine; from then on other machines' replies are held back (above). */
VELKCOMM_EXPORT int VelkComm_SelectDevice(const char* ipUtf8);
VELKCOMM_EXPORT intptr_t VelkComm_OpenCom(int port, int baud);                            /* 11, 0 on failure */
VELKCOMM_EXPORT int VelkComm_CloseCom(void);                                              /* 12 */
VELKCOMM_EXPORT int VelkComm_GetVersion(uint8_t* version, int size);                      /* 13 */
VELKCOMM_EXPORT int VelkComm_SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data,
                                              uint8_t deviceId);                          /* 14 */
/* Called from the library's thread when replies are waiting (once, until the next dispatch). */
VELKCOMM_EXPORT void VelkComm_SetReplyNotifier(void (*notify)(void* context), void* context);
/* Calls the registered callbacks for every waiting reply that is delivered (see the top of this
 * file), in arrival order; returns how many. */
VELKCOMM_EXPORT int VelkComm_DispatchReplies(void);

#ifdef __cplusplus
}
#endif
