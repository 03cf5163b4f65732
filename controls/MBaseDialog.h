#pragma once
// The dark base of every page: background, a 26-pixel title bar with the page's title, a close
// button, Enter and Esc swallowed, and the four page operations the main dialog drives.
#include <string>

#include <wx/panel.h>

class wxButton;

class MBaseDialog : public wxPanel {
 public:
  MBaseDialog(int templateId, bool notifyOnClose);
  // Makes the page's window inside parent, hidden; then runs OnInitDialog.
  bool CreatePage(wxWindow* parent, bool withCloseButton = true);

  virtual void ShowPage(bool show);
  virtual void ApplyLanguage() {}
  virtual void ClosePage();
  virtual void ToggleMaximize() {}

  int TemplateId() const { return Template; }
  void SetPageTitle(const std::string& title);
  const std::string& PageTitle() const { return Title; }

 protected:
  virtual void OnInitDialog() {}
  // Drawn over the background and title bar.
  virtual void PaintExtras(wxDC&) {}

 private:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnCharHook(wxKeyEvent& event);

  int Template;
  bool NotifyOnClose;
  std::string Title;
  wxButton* CloseButton = nullptr;
};
