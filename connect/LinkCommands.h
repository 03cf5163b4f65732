#pragma once
// The few link operations the connection pages start: the commands they send (to the machine
// that app/MachineAtWork addresses).
// "Get Data From Machine": the whole state comes back on the full-state reply.
void SendReadAll();
// The network search: every device on the adapter's subnet answers with its address.
void SendSearchDevices();
