#include "mainwnd/BusyBoxState.h"

void BusyBoxState::ShowBusy(bool busy, const std::string& text) {
  if (busy) {
    Host.EnableMainWindow(false);
    Host.SetBusyText(text);
    StartWatchdogUnlessBoxUp();
    AnsweredWhileBusy = false;
    if (!Host.BusyWindowShown()) Host.ShowBusyWindow(true);
    return;
  }
  Close();
}

bool BusyBoxState::Close() {
  Host.StopWatchdog();
  Host.EnableMainWindow(true);
  Host.RaiseMainWindow();
  if (!Host.BusyWindowShown()) return false;
  Host.ShowBusyWindow(false);
  return Host.EndWaitsBehindBox();
}

void BusyBoxState::OnWatchdog() {
  const bool wasShown = Host.BusyWindowShown();
  const bool pageTold = Close();
  if (wasShown && !pageTold) Host.TellNoAnswer(AnsweredWhileBusy);
}

void BusyBoxState::NoteDeviceAnswer() {
  AnsweredWhileBusy = true;
  if (Host.BusyWindowShown()) StartWatchdogUnlessBoxUp();
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
