#pragma once
#include <cstdint>

// Sends one of the queries that replies and decoders follow up with: the command number and
// its first argument byte (0 for a query that takes none), to the machine at work.
void SendQuery(int command, uint8_t a0 = 0);

// Hands one reply callback to the link library.
void RegisterReplyCallback(void* callback, int slot);
