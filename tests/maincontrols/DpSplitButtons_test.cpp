// The DP split box's buttons on a window of their own, clicked with real X input: the box shows
// DP or its halves, and a shown button makes its input the current layer's source on the device.
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "mainwnd/MainControls.h"
#include "support/RecordingCommLink.h"
#include "support/WxTestApp.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <wx/frame.h>
#include <wx/uiaction.h>

namespace {
// The main dialog as far as the controls need it: a 1280 x 728 client at 96 dpi.
class HostWindow : public MainControlsHost {
 public:
  void OpenBusy(const std::string&) override {}
  void ApplyLayer(int layer, bool send) override {
    if (send) SendLayerSource(GetDeviceState(), layer);
  }
  void RepaintInputIcon(int) override {}
  void LayerEnableChanged(int) override {}
  void LockOutputChanged(bool) override {}
  void Pip3Switched(bool) override {}
  void PresetStatesChanged() override {}
  void SaveProjectShortcut() override {}
  void HideTestPatternPage() override {}
  void BringLayerToTop(int) override {}
  void ShowVideoWindow() override {}
  LayoutRect WorkArea() const override { return WorkingAreaRect(Client(), 1.0, false); }
  LayoutRect Client() const override { return {0, 0, 1280, 728}; }
  std::array<LayoutRect, InputIconCount> InputIcons() const override {
    return PlacedInputIcons(Client(), 1.0, GetDeviceState());
  }
};

class DpSplitButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDeviceState();
    Frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(1280, 728));
    Controls = std::make_unique<MainControls>(*Frame, Host);
    Frame->Show();
    Pump(100);
  }
  void TearDown() override {
    Controls.reset();
    Frame->Destroy();
    Pump(20);
  }
  // A click at a client point.
  void ClickAt(int x, int y) {
    wxUIActionSimulator sim;
    sim.MouseMove(Frame->ClientToScreen(wxPoint(x, y)));
    Pump(50);
    sim.MouseClick();
    Pump(150);
  }
  std::vector<LinkCall> Sent() const { return Recorder.Link.CallsOf("SendCommand"); }

  ScopedRecordingLink Recorder;
  HostWindow Host;
  wxFrame* Frame = nullptr;
  std::unique_ptr<MainControls> Controls;
};
}  // namespace

TEST_F(DpSplitButtons, TheShownButtonsChooseTheirInputForTheCurrentLayer) {
  // At 96 dpi the DP icon spans x 555..623, y 25..50; DP-L's place y 0..16 above it, DP-R's
  // y 32..48 over its lower part.
  struct Row {
    bool Split;
    int Y;      // clicked at x 589
    int Input;  // the button's input, when one stands there
    bool Sends;
  };
  const Row rows[] = {
      {true, 8, 8, true},    // DP-L
      {true, 40, 9, true},   // DP-R
      {true, 28, 4, false},  // DP hidden while split
      {false, 28, 4, true},  // DP
      {false, 8, 8, false},  // DP-L hidden
  };
  DeviceState& s = GetDeviceState();
  s.CurrentLayer = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Split ? "split, " : "whole, ") + "y " + std::to_string(row.Y));
    s.DpSplit[0] = row.Split ? 1 : 0;
    s.ApplyDpSplitMode();
    s.LayerWindow[0].Source = 1;
    Controls->SetDpSplitCheck(row.Split);
    Pump(50);
    if (&row == &rows[0])
      std::system("mkdir -p '" VELKAN_ARTIFACTS "' && import -window root -crop 400x80+400+0 '" VELKAN_ARTIFACTS
                  "/dp_split_buttons.png' 2>/dev/null");
    const size_t before = Sent().size();
    ClickAt(589, row.Y);
    if (row.Sends) {
      ASSERT_EQ(Sent().size(), before + 1);
      EXPECT_EQ(Sent().back().Command, static_cast<uint32_t>(CmdLayerSource));
      EXPECT_EQ(s.LayerWindow[0].Source, row.Input);
    } else {
      EXPECT_EQ(Sent().size(), before);
      EXPECT_EQ(s.LayerWindow[0].Source, 1);
    }
  }
}
