#pragma once
// The Sync Mode group at the top right of the main window: the sync lock source and the sync
// mode lists. A pick writes DeviceState and sends the sync command.
#include "mainwnd/MainLayout.h"

#include <wx/dc.h>

class CDropButton;
class wxWindow;

inline constexpr int SyncSourceListId = 44992;
inline constexpr int SyncModeListId = 45008;

class SyncControls {
 public:
  explicit SyncControls(wxWindow& window);
  void Layout(const LayoutRect& client);
  // Refills both lists in the current language (the source list by the option cards).
  void FillLists();
  // Selects the device's sync lock source and sync mode.
  void UpdateSyncLists();
  // MDropListSelChanged from either list; false for another list.
  bool OnDropListSelChanged(int listId, int index);
  void DrawGroup(wxDC& dc) const;
  LayoutRect GroupRect() const { return Group; }

 private:
  void RecordShown() const;
  wxWindow& Window;
  CDropButton* SourceList = nullptr;
  CDropButton* ModeList = nullptr;
  LayoutRect Group;
};
