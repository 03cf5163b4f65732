#include "mainwnd/PageSwitcher.h"

const std::array<PageButtonInfo, PageCount> PageButtons = {{
    {1021, "PICTURE"},
    {1025, "OUTPUT"},
    {1180, "MOSAIC"},
    {1245, "KEYER"},
    {1123, "PIP"},
    {1126, "CROP"},
    {1241, "LOGO"},
    {1179, "EDID"},
    {1183, "VGA ADJ."},
    {1244, "MISC"},
    {1178, "COMM"},
}};

void PageSwitcher::ShowPage(int index, bool toggle) {
  if (Current >= 0 && Current < PageCount && Current != index) {
    Host.ShowPageWindow(Current, false);
    Host.SetPageButtonLit(Current, false);
  }
  if (index < 0 || index >= PageCount) return;
  if (index != Current) {
    const bool wasEmpty = Current == NoPage;
    Current = index;
    if (wasEmpty) Host.LayoutPageArea();
    Host.ShowPageWindow(index, true);
    Host.SetPageButtonLit(index, true);
    return;
  }
  if (!toggle) return;
  Host.ShowPageWindow(index, false);
  Host.SetPageButtonLit(index, false);
  Current = NoPage;
  Host.LayoutPageArea();
}

void PageSwitcher::OnPageButton(int index) {
  if (Current >= 0 && Current < PageCount) Host.SetPageButtonChecked(Current, false);
  ShowPage(index, true);
}

void PageSwitcher::OnPageClosed() {
  if (Current < 0 || Current >= PageCount) return;
  Host.SetPageButtonLit(Current, false);
  Host.SetPageButtonChecked(Current, false);
  Current = NoPage;
  Host.LayoutPageArea();
}
