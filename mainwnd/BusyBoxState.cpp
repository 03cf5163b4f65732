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
  Host.StopWatchdog();
  Host.EnableMainWindow(true);
  Host.RaiseMainWindow();
  if (Host.BusyWindowShown()) Host.ShowBusyWindow(false);
}

void BusyBoxState::OnWatchdog() {
  const bool wasShown = Host.BusyWindowShown();
  ShowBusy(false, {});
  Host.FreePagesBehindBox();
  if (wasShown && !AnsweredWhileBusy) Host.TellNoAnswer();
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
