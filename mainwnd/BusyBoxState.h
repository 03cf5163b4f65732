#pragma once
#include <cstdint>
#include <string>

// The busy box's rules: a busy request disables the main window and shows the text; the first
// done request closes it. A device that never answers must not leave the window disabled, so
// every busy request (re)starts a watchdog. The box knows what answers the command that went out
// with its opening (just before it, or the first one while it is up): an operation's status, or
// for a command that names no operation the record that confirms it. Only that answer moves the
// watchdog on (a caption's chunk acknowledgements keep its box for as long as they come) and
// closes the box; the keep-alive and what the device
// reports unasked (a feathering change, a signal, another controller) start nothing. 15 s without
// its answer close the box and tell the operator: the machine is offline when nothing at all came
// from it meanwhile, else it did not answer in time. A working link that goes ends the wait at
// once and says the machine is offline. No watchdog runs while a message box waits for the
// operator: the time taken to read it is not the device's. However the box closes, a page that
// still waits behind it stops waiting, and the operator is told once.
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
  // Something arrived from the machine at work (its PING answers and unasked reports included):
  // it is there, but its work has not moved on.
  void NoteDeviceHeard() { AnsweredWhileBusy = true; }
  // A command went out that an operation status answers (operations: one bit per operation
  // number) or a record confirms (records: one bit per reply slot). An open box that waits for
  // nothing named yet waits for it; a box that opens before the host forgets it (the end of the
  // event that sent it) waits for it too.
  void OperationSent(uint32_t operations, uint32_t records = 0);
  void ForgetSentOperation() { SentJustNow = {}; }
  // The device reported an operation's status. True when the open box waits for that operation:
  // its watchdog starts again, and the status may close it. A status of any other operation (an
  // owned page's own command, a late answer to a wait that has ended) closes nothing.
  bool OperationAnswered(uint8_t operation);
  // A status that no box waits for: true, once, when it answers a wait that ended without it and
  // was told; the operation's next command forgets that.
  bool AnswersEndedWait(uint8_t operation);
  // A record arrived on reply slot `slot`: true when the open box waits for it, which closes it.
  bool RecordAnswered(uint32_t slot) const;
  // The working link went: the open box's answer cannot come over it.
  void LinkLost();
  // A message box opened (up) or was answered. The watchdog stops while any box is up; when the
  // last one goes and the busy box is still shown, it starts again in full.
  void OperatorBoxShown(bool up);

 private:
  void StartWatchdogUnlessBoxUp();
  // Closes the box; true when a page that waited behind it told the operator.
  bool Close();
  // Closes the box without its answer and tells the operator once, unless a page did.
  void EndUnanswered(bool deviceHeard);

  struct Answers {
    uint32_t Operations = 0;
    uint32_t Records = 0;
    bool None() const { return Operations == 0 && Records == 0; }
  };

  BusyBoxHost& Host;
  bool AnsweredWhileBusy = false;
  int BoxesUp = 0;
  Answers Awaited;  // of the open box; none when it waits for a reply that names none
  Answers SentJustNow;
  uint32_t EndedUntold = 0;  // operations whose wait ended with a message before their answer
};

// The bit of an operation number in an operation set.
constexpr uint32_t OperationBit(uint8_t operation) { return operation < 32 ? 1u << operation : 0; }
