#pragma once
#include <cstdint>
#include <string>

// The busy box's rules: a busy request disables the main window and shows the text; the first
// done request closes it. A device that never answers must not leave the window disabled, so
// every busy request (re)starts a watchdog, and so does every answer of the device while the box
// is up (a caption of many chunks, any slow operation, keeps its box until it ends); only 15 s
// without an answer closes the box, which says the machine is offline when nothing at all came
// from the device meanwhile. No watchdog runs while a message box waits for the operator: the
// time taken to read it is not the device's.
class BusyBoxHost {
 public:
  virtual ~BusyBoxHost() = default;
  virtual void EnableMainWindow(bool enable) = 0;
  virtual void RaiseMainWindow() = 0;
  virtual void SetBusyText(const std::string& text) = 0;
  virtual void ShowBusyWindow(bool show) = 0;
  virtual bool BusyWindowShown() const = 0;
  virtual void StartWatchdog(uint32_t ms) = 0;
  virtual void StopWatchdog() = 0;
  // Tells the operator that the device did not answer.
  virtual void TellNoAnswer() = 0;
  // The watchdog closed the box: the pages that locked themselves behind it are freed and drop
  // the work they waited for.
  virtual void FreePagesBehindBox() {}
};

inline constexpr uint32_t BusyTimeoutMs = 15000;

class BusyBoxState {
 public:
  explicit BusyBoxState(BusyBoxHost& host) : Host(host) {}
  void ShowBusy(bool busy, const std::string& text);
  void OnWatchdog();
  // Something arrived from the device (any reply but the link's own loss report).
  void NoteDeviceHeard() { AnsweredWhileBusy = true; }
  // The device answered the program's work (not only the keep-alive): the watchdog starts again.
  void NoteDeviceAnswer();
  // A message box opened (up) or was answered. The watchdog stops while any box is up; when the
  // last one goes and the busy box is still shown, it starts again in full.
  void OperatorBoxShown(bool up);

 private:
  void StartWatchdogUnlessBoxUp();

  BusyBoxHost& Host;
  bool AnsweredWhileBusy = false;
  int BoxesUp = 0;
};
