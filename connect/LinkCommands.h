#pragma once
// The few link operations the connection pages start: the commands they send and the device
// they address.
#include <cstdint>

// The device every command goes to; 110 until a connection sets it.
uint8_t CurrentDeviceId();
void SetCurrentDeviceId(uint8_t id);
// "Get Data From Machine": the whole state comes back on the full-state reply.
void SendReadAll();
// The network search: every device on the adapter's subnet answers with its address.
void SendSearchDevices();
