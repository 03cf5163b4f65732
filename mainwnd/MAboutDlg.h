#pragma once
// The About box (template 100): the program's name, version and purpose, skinned like the pages.
// The main window opens it modally by F1: this platform gives a program no item in the window
// manager's menu.
#include "controls/MBaseDialog.h"

class MAboutDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 100;
  static constexpr int IdVersionLabel = 1701, IdPurpose = 1702, IdOk = 1703;

  MAboutDlg();
  void OnInitDialog();
  void ApplyLanguage() override;
  // Ends the box's modal run (close button, OK, Enter or Esc).
  void ClosePage() override;

 protected:
  void PaintExtras(wxDC& dc) override;

 private:
  bool Built = false;
};

// The About item's command.
inline constexpr int AboutCommand = 0x10;

// Opens the About box centred on owner and returns when the operator closes it.
void RunAboutBox(wxWindow* owner);
// A close of the owner while the About box runs: the box ends, and the owner is closed once the
// box's run has returned (its loop runs inside the owner's). False when no About box runs.
bool EndAboutBoxThenCloseOwner();
// F1 in the main window (whichever of its controls has the focus) opens the About box.
void BindAboutKey(wxWindow& mainWindow);
