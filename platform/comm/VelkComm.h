/* The device-communication library: the program's only road to a processor.
 * Built as libvelk_comm.so; every operation returns 0 on success and -1 on failure
 * unless its comment says otherwise. Replies are delivered only inside
 * VelkComm_DispatchReplies, on the caller's thread.
 *
 * Which replies reach the program: those of the working link, and from every other link only what
 * the machine list needs. The working link is the serial link while it is open; otherwise the link
 * of the machine that the last VelkComm_SelectDevice named, until VelkComm_DisconnectNet closes
 * that link. There is none before the first SelectDevice, and VelkComm_OpenCom ends the selection:
 * after VelkComm_CloseCom no network link is at work until the next SelectDevice (one made while
 * the serial link was open takes effect when it closes).
 * Every reply of the working link is delivered. Every other link delivers only its connection
 * status (slot 0) and its answers to PING (slot 23); search answers (slot 27) are always
 * delivered. Everything else of another link (its preview state and stream, slots 1 and 26,
 * included) is dropped at dispatch, and with no working link nothing but slots 0, 23 and 27 is
 * delivered. Whether a reply is delivered is decided at dispatch, so the replies of a machine that
 * a callback has just selected are delivered. When a network machine becomes the working link, its
 * last preview state (slot 1) is delivered again, as it was held back before.
 * Sends follow the same link: while the serial link is open every frame goes to it with id 255, so
 * a program that makes a network machine the working one closes the serial link first. */
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
/* 10: names the machine whose link is the working link (above); opens its link when none is open. */
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
