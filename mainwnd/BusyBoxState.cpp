#include "mainwnd/BusyBoxState.h"

void BusyBoxState::ShowBusy(bool busy, const std::string& text) {
  if (busy) {
    const bool wasShown = Host.BusyWindowShown();
    Host.EnableMainWindow(false);
    Host.SetBusyText(text);
    StartWatchdogUnlessBoxUp();
    AnsweredWhileBusy = false;
    if (!wasShown || AwaitedOperations == 0) AwaitedOperations = SentJustNow;
    SentJustNow = 0;
    if (!wasShown) Host.ShowBusyWindow(true);
    return;
  }
  Close();
}

bool BusyBoxState::Close() {
  Host.StopWatchdog();
  Host.EnableMainWindow(true);
  Host.RaiseMainWindow();
  AwaitedOperations = 0;
  if (!Host.BusyWindowShown()) return false;
  Host.ShowBusyWindow(false);
  return Host.EndWaitsBehindBox();
}

void BusyBoxState::EndUnanswered(bool deviceHeard) {
  const bool wasShown = Host.BusyWindowShown();
  const bool pageTold = Close();
  if (wasShown && !pageTold) Host.TellNoAnswer(deviceHeard);
}

void BusyBoxState::OnWatchdog() { EndUnanswered(AnsweredWhileBusy); }

void BusyBoxState::LinkLost() {
  if (Host.BusyWindowShown()) EndUnanswered(false);
}

void BusyBoxState::OperationSent(uint32_t operations) {
  if (Host.BusyWindowShown() && AwaitedOperations == 0)
    AwaitedOperations = operations;
  else
    SentJustNow = operations;
}

bool BusyBoxState::OperationAnswered(uint8_t operation) {
  if (!Host.BusyWindowShown() || (AwaitedOperations & OperationBit(operation)) == 0) return false;
  StartWatchdogUnlessBoxUp();
  return true;
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
