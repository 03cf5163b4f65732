#pragma once
#include <cstdint>
#include <string>

// The busy box's rules: a busy request disables the main window and shows the text; the first
// done request closes it. A device that never answers must not leave the window disabled, so
// every busy request (re)starts a watchdog, and so does every answer of the device while the box
// is up (a caption of many chunks, any slow operation, keeps its box until it ends); a PING answer
// is no answer to the work and starts nothing. 15 s without an answer close the box and tell the
// operator: the machine is offline when nothing at all came from it meanwhile, else it did not
// answer in time. No watchdog runs while a message box waits for the operator: the time taken to
// read it is not the device's. However the box closes, a page that still waits behind it stops
// waiting.
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
  // Tells the operator that the device did not answer: it was heard from meanwhile (it is there,
  // but did not do the work) or not at all (offline).
  virtual void TellNoAnswer(bool deviceHeard) = 0;
  // The box closed: the pages that still wait behind it are freed and drop the work they waited
  // for. True when one did, and has told the operator so itself.
  virtual bool EndWaitsBehindBox() { return false; }
};

inline constexpr uint32_t BusyTimeoutMs = 15000;

class BusyBoxState {
 public:
  explicit BusyBoxState(BusyBoxHost& host) : Host(host) {}
  void ShowBusy(bool busy, const std::string& text);
  void OnWatchdog();
  // Something arrived from the machine at work (its PING answers included).
  void NoteDeviceHeard() { AnsweredWhileBusy = true; }
  // The device answered the program's work (not only the keep-alive): the watchdog starts again.
  void NoteDeviceAnswer();
  // A message box opened (up) or was answered. The watchdog stops while any box is up; when the
  // last one goes and the busy box is still shown, it starts again in full.
  void OperatorBoxShown(bool up);

 private:
  void StartWatchdogUnlessBoxUp();
  // Closes the box; true when a page that waited behind it told the operator.
  bool Close();

  BusyBoxHost& Host;
  bool AnsweredWhileBusy = false;
  int BoxesUp = 0;
};
