#pragma once
// The groups at the top right of the main window: Sync Mode (the sync lock source and the sync
// mode lists) and, while an extension card is in, the port switch group (the card's mode list
// and the signal-switch button). A pick writes DeviceState and sends its command.
#include <functional>
#include <vector>

#include <wx/dc.h>

#include "controls/CSxGroupBox.h"
#include "mainwnd/MainLayout.h"

class CDropButton;
class CGdipButton;
class wxWindow;

inline constexpr int SyncSourceListId = 44992;
inline constexpr int SyncModeListId = 45008;
inline constexpr int SyncGroupId = 1441;
inline constexpr int PortSwitchGroupId = 1572;
inline constexpr int SignalSwitchId = 1573;

class SyncControls {
 public:
  // leftLimit gives the x the port switch group may reach at most (it stays clear of the inputs).
  SyncControls(wxWindow& window, std::function<int()> leftLimit);
  // The port switch group sits left of the video-window button, which sits left of Sync Mode,
  // as wide as its title and its longest mode need where the input strip leaves room.
  void Layout(const LayoutRect& client);
  // Refills the lists in the current language (the source list by the option cards).
  void FillLists();
  // Selects the device's sync lock source and sync mode.
  void UpdateSyncLists();
  // MDropListSelChanged from one of the lists; false for another list.
  bool OnDropListSelChanged(int listId, int index);
  void DrawGroup(wxDC& dc) const;
  // The group boxes drawn now (the port switch group only with a card).
  std::vector<const CSxGroupBox*> ShownGroupBoxes() const;
  LayoutRect GroupRect() const { return Group; }

  // The extension card's controls appear while a card reports in, and go at every full state.
  void ShowExtensionCard(bool shown);
  // The card's port sources name the mode list's texts (also kept in both language files).
  void UpdatePortSwitchRule();
  // The card answered: the signal-switch button is usable again.
  void EndSignalSwitchWait();
  void ApplyLanguage();

 private:
  void OnSignalSwitch();
  void FillExtCardModeList();
  void EnableSignalSwitch(bool enable);
  void RecordShown() const;
  int PortGroupWidthNeeded() const;
  void Relayout();
  wxWindow& Window;
  CDropButton* SourceList = nullptr;
  CDropButton* ModeList = nullptr;
  CDropButton* ExtModeList = nullptr;
  CGdipButton* SignalSwitch = nullptr;
  CSxGroupBox SyncGroup;
  CSxGroupBox PortGroup;
  LayoutRect Group;
  LayoutRect Client;
  std::function<int()> LeftLimit;
  bool ExtensionShown = false;
  bool SignalSwitchWait = false;  // a switch went out; the card has not answered yet
};
