#pragma once
// The machine the program works with, kept in one place: the serial link while it is open, else
// the network machine last chosen, else none. Every path that changes it comes through here, in
// the one order: (the serial link closed,) DeviceId, the library's selection; the caller then
// reads the machine's state. DeviceId is written here only, and every command, state block and
// caption chunk takes its address from here.
#include <cstdint>
#include <optional>
#include <string>

enum class WorkLink : uint8_t { None, Network, Serial };

struct MachineAtWork {
  WorkLink Link = WorkLink::None;
  std::string Ip;  // the network machine's address; empty otherwise
  uint8_t Id = 0;  // the id its link reports carry (255 for the serial link's own)
  bool operator==(const MachineAtWork&) const = default;
};

// The serial link reports its own state under this id, whatever the device's id.
inline constexpr uint8_t SerialLinkReportId = 255;

const MachineAtWork& CurrentMachineAtWork();
// A network machine becomes the one at work: an open serial link is closed first (the main
// dialog closes it, as when a network link is established), then DeviceId = the last octet of
// its address and VelkComm_SelectDevice.
void MakeNetworkMachineAtWork(const std::string& ip);
// The serial link opened (it is the working link from now on) or closed (no machine at work).
void SerialLinkOpened();
void SerialLinkClosed();
bool IsSerialLinkOpen();
// VelkComm_DisconnectNet of ip: when it named the machine at work, none is at work any more.
void DisconnectNetworkMachine(const std::string& ip);

// The search goes to every machine: DeviceId = 255. With none at work the commands after it go to
// every machine found as well; with a network machine at work AddressMachineAtWork follows it.
void AddressEveryMachine();
// DeviceId addresses the network machine at work again, after a command that went to every
// machine (the search); with none or the serial link at work it stays as it is.
void AddressMachineAtWork();

// The id that commands, state blocks and caption chunks carry now: DeviceId while a machine is at
// work (the serial link sends every frame to its device whatever the id) or since a search. None
// once the machine at work has gone and nothing was chosen or searched for since: no command may
// reach a machine that the window no longer names.
std::optional<uint8_t> CommandAddress();

// Whether a connection status or PING answer from device id is the working link's own report.
bool IsWorkingLinkReport(uint8_t id);

// The last connection status or PING answer, from whichever machine: what the machine list reads.
struct MachineAnswer {
  uint8_t Id = 0;
  bool Connected = false;
};
void NoteMachineAnswer(uint8_t id, bool connected);
const MachineAnswer& LastMachineAnswer();

// Tests start from no machine at work, with commands addressed as at start.
void ResetMachineAtWork();
