#include "mainwnd/BusyBoxState.h"

void BusyBoxState::ShowBusy(bool busy, const std::string& text) {
  if (busy) {
    const bool wasShown = Host.BusyWindowShown();
    Host.EnableMainWindow(false);
    Host.SetBusyText(text);
    StartWatchdogUnlessBoxUp();
    AnsweredWhileBusy = false;
    if (!wasShown || Awaited.None()) Awaited = SentJustNow;
    SentJustNow = {};
    if (!wasShown) Host.ShowBusyWindow(true);
    return;
  }
  Close();
}

bool BusyBoxState::Close() {
  Host.StopWatchdog();
  Host.EnableMainWindow(true);
  Host.RaiseMainWindow();
  Awaited = {};
  if (!Host.BusyWindowShown()) return false;
  Host.ShowBusyWindow(false);
  return Host.EndWaitsBehindBox();
}

void BusyBoxState::EndUnanswered(bool deviceHeard) {
  const bool wasShown = Host.BusyWindowShown();
  const uint32_t awaited = Awaited.Operations;
  const bool pageTold = Close();
  if (!wasShown) return;
  if (!pageTold) Host.TellNoAnswer(deviceHeard);
  EndedUntold |= awaited;
}

void BusyBoxState::OnWatchdog() { EndUnanswered(AnsweredWhileBusy); }

void BusyBoxState::LinkLost() {
  if (Host.BusyWindowShown()) EndUnanswered(false);
}

void BusyBoxState::OperationSent(uint32_t operations, uint32_t records) {
  // A new command of the operation: its status is no late answer.
  EndedUntold &= ~operations;
  if (Host.BusyWindowShown() && Awaited.None())
    Awaited = {operations, records};
  else
    SentJustNow = {operations, records};
}

bool BusyBoxState::OperationAnswered(uint8_t operation) {
  if (!Host.BusyWindowShown() || (Awaited.Operations & OperationBit(operation)) == 0) return false;
  StartWatchdogUnlessBoxUp();
  return true;
}

bool BusyBoxState::AnswersEndedWait(uint8_t operation) {
  const uint32_t bit = OperationBit(operation);
  if ((EndedUntold & bit) == 0) return false;
  EndedUntold &= ~bit;
  return true;
}

bool BusyBoxState::RecordAnswered(uint32_t slot) const {
  return Host.BusyWindowShown() && slot < 32 && (Awaited.Records & (1u << slot)) != 0;
}

void BusyBoxState::OperatorBoxShown(bool up) {
  if (up) {
    ++BoxesUp;
    Host.StopWatchdog();
    return;
  }
  if (BoxesUp > 0) --BoxesUp;
  if (BoxesUp == 0 && Host.BusyWindowShown()) Host.StartWatchdog(BusyTimeoutMs);
}

void BusyBoxState::StartWatchdogUnlessBoxUp() {
  if (BoxesUp == 0) Host.StartWatchdog(BusyTimeoutMs);
}
