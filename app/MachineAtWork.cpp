#include "app/MachineAtWork.h"

#include "app/AppGlobals.h"
#include "app/CommLink.h"
#include "app/DeviceState.h"
#include "app/MainDialogInterface.h"
#include "app/Utilities.h"

namespace {
constexpr uint8_t EveryMachineId = 255;
MachineAtWork atWork;
MachineAnswer lastAnswer;
// The machine at work went and no other was chosen nor a search made since.
bool nothingAddressed = false;

void Become(const MachineAtWork& next) {
  if (atWork == next) return;
  atWork = next;
  // A search's address stays: the serial link it ends leaves every machine found addressed.
  nothingAddressed = next.Link == WorkLink::None && DeviceId != EveryMachineId;
  if (MainDialogInterface* dialog = TheMainDialog) dialog->OnMachineAtWorkChanged();
}
}  // namespace

const MachineAtWork& CurrentMachineAtWork() { return atWork; }

void MakeNetworkMachineAtWork(const std::string& ip) {
  // Every frame goes to the serial link while it is open: it closes before anything is sent.
  if (atWork.Link == WorkLink::Serial)
    if (MainDialogInterface* dialog = TheMainDialog) dialog->CloseSerialLink();
  const auto id = static_cast<uint8_t>(GetIPv4LastOctet(ip));
  DeviceId = id;
  if (CommLink* link = GetCommLink()) link->SelectDevice(ip);
  Become({WorkLink::Network, ip, id});
}

void SerialLinkOpened() { Become({WorkLink::Serial, {}, SerialLinkReportId}); }

void SerialLinkClosed() {
  if (atWork.Link == WorkLink::Serial) Become({});
}

bool IsSerialLinkOpen() { return atWork.Link == WorkLink::Serial; }

void DisconnectNetworkMachine(const std::string& ip) {
  if (CommLink* link = GetCommLink()) link->DisconnectNet(ip);
  if (atWork.Link == WorkLink::Network && atWork.Ip == ip) Become({});
}

void AddressEveryMachine() {
  DeviceId = EveryMachineId;
  nothingAddressed = false;
}

void AddressMachineAtWork() {
  if (atWork.Link == WorkLink::Network) DeviceId = atWork.Id;
}

std::optional<uint8_t> CommandAddress() {
  if (nothingAddressed) return std::nullopt;
  return DeviceId;
}

bool IsWorkingLinkReport(uint8_t id) { return atWork.Link != WorkLink::None && id == atWork.Id; }

void NoteMachineAnswer(uint8_t id, bool connected) { lastAnswer = {id, connected}; }

const MachineAnswer& LastMachineAnswer() { return lastAnswer; }

void ResetMachineAtWork() {
  atWork = {};
  lastAnswer = {};
  nothingAddressed = false;
}
