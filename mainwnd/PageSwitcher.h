#pragma once
#include <array>
#include <cstdint>

// The docked pages behind the column of page buttons, by button index.
enum class PageIndex : int {
  Picture = 0,
  Output = 1,
  Mosaic = 2,
  Switcher = 3,  // the button reads "KEYER" but opens the switcher page
  Pip = 4,
  Crop = 5,
  Logo = 6,
  Edid = 7,
  Vga = 8,
  Misc = 9,
  Connect = 10,
};
inline constexpr int PageCount = 11;
inline constexpr int NoPage = -1;

struct PageButtonInfo {
  int ControlId;
  const char* Caption;  // the template caption; the language file may replace it
};
// Control id and caption of each page button, by page index.
extern const std::array<PageButtonInfo, PageCount> PageButtons;

// What showing and hiding pages does to the window; VelkanDlg implements it, tests record it.
class PageHost {
 public:
  virtual ~PageHost() = default;
  virtual void ShowPageWindow(int index, bool show) = 0;
  // Lit = the caption in the accent colour; the button is redrawn at once.
  virtual void SetPageButtonLit(int index, bool lit) = 0;
  virtual void SetPageButtonChecked(int index, bool checked) = 0;
  // The working area moves to make room for the page panel, or takes its width back.
  virtual void LayoutPageArea() = 0;
};

// At most one docked page is shown; the current page is the only record of which.
class PageSwitcher {
 public:
  explicit PageSwitcher(PageHost& host) : Host(host) {}

  // Shows page index; with toggle set, a second call for the page already shown hides it.
  void ShowPage(int index, bool toggle);
  // A page button was clicked: its check goes, then the page is shown or toggled.
  void OnPageButton(int index);
  // The shown page closed itself (its close button).
  void OnPageClosed();

  int CurrentPage() const { return Current; }

 private:
  PageHost& Host;
  int Current = NoPage;
};
