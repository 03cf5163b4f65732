#pragma once
// The connection page: the serial link by COM port and baud rate, the address of the
// controlled machine with a network disconnect, and the button that opens the machine search.
#include "controls/MBaseDialog.h"

#include <cstdint>
#include <string>

class CDropButton;
class CGdipButton;
class CMyEdit;
class oRealEdit;

inline constexpr int ComPortListId = 0xFF91;

class MConnectDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 127;
  MConnectDlg();
  // The page's controls, once its window exists.
  void OnInitDialog();

  void ShowPage(bool show) override;
  void ClosePage() override;
  void ApplyLanguage() override;

  void SetDestinationIp(const std::string& ip);
  void OnBnClickedComDisconnect();
  // A serial port arrived (0x8000) or left (0x8004).
  void OnSerialDeviceChange(unsigned event);
  bool SerialLinkOpen() const { return ComHandle != 0; }

 protected:
  void PaintExtras(wxDC& dc) override;

 private:
  void InitIpControls();
  void RefreshLists();
  void FillComPorts();
  void SelectComPort(int number);
  int SelectedComPort() const;
  // The port list, its choice and the link as the page shows them, for window tests.
  void RecordComState();
  void ResetSearchButton();
  void OnBnClickedComConnect();
  void OnBnClickedNetDisconnect();
  void OnBnClickedSearchMachines();

  CMyEdit* DestinationIp = nullptr;
  CGdipButton* NetDisconnect = nullptr;
  CGdipButton* SearchMachines = nullptr;
  CDropButton* ComPorts = nullptr;
  oRealEdit* BaudRate = nullptr;
  CGdipButton* ComConnect = nullptr;
  CGdipButton* ComDisconnect = nullptr;
  intptr_t ComHandle = 0;
};
