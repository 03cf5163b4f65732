#pragma once
// The working area in the middle of the main window: it owns the output canvas with its cells
// (four layer cells, four output frames, four switcher views), keeps them in step with the
// device's state, turns canvas drags into layer-window commands, zooms with Ctrl + wheel, and
// runs the live preview (channels, preview window, the layer cells' video views).
#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include <wx/panel.h>
#include <wx/timer.h>

#include "mainwnd/CPictureCtrl.h"
#include "platform/ui/Messages.h"

class MailboxView;
class PreviewSession;

class MMainDlg : public wxPanel, private CellViewRegistry {
 public:
  static constexpr int IDD = 108;
  static constexpr int CanvasId = 1027;
  static constexpr int CellRestackTimer = 0xF0;
  static constexpr int TopButtonsTimer = 0xF1;

  explicit MMainDlg(wxWindow* parent);
  ~MMainDlg() override;

  // ---- refresh operations the reply router and the main dialog call ----
  void CheckPreviewState();
  void RelayoutByWorkMode();
  // Sends MRelayout (0, 0) to itself.
  void Relayout();
  void UpdateLayerRect(int layer);
  void UpdateLayerLabel(int layer);
  void UpdateLogoLayer(uint32_t usage);
  void RebuildCanvas();
  // The layer cell shows as the state says (LayerCellShown, with the frames' lock).
  void ShowLayerByState(int layer);
  // Lock Output: locked, the frames are passive outlines and the layers lie on them (shown by
  // the state with apply); unlocked, the frames can be dragged and every layer is hidden.
  void EnableLayerCells(bool on, bool apply);
  bool FramesLocked() const { return FramesLockedFlag; }
  // While a test pattern holds the output the layer cells behave as frames (not dragged).
  void SetLayerCellsFrameFlag(bool on);
  // A TOP button: the layer's cell is selected and drawn above the others until the restack.
  void BringLayerToTop(int layer);
  void ArrangeOutputFrames(uint32_t arrangement);
  void SetPreviewResolution(int code);
  void UpdateLayerSourceRects(int layer);
  // The machine at work changed: another one was chosen, the serial link opened, or the one at
  // work was disconnected (atWork false: none is). The preview starts afresh, so no picture or
  // parameter set of one machine is decoded or shown as another's, and the cells drop the
  // picture they show. While no machine is at work the stream is not taken.
  void MachineAtWorkChanged(bool atWork);
  // A preview stream packet (reply slot 26); dropped while the preview is off or no machine is
  // at work.
  void PushPreviewPacket(uint32_t channel, const uint8_t* data, uint32_t length);
  // The main dialog's video-window button.
  void ShowPreviewWindow(bool show);
  // The preview window takes the active language file's texts.
  void ApplyPreviewLanguage();

  CPictureCtrl* Canvas() const { return PictureCtrl; }
  CCell* LayerCell(int layer) const;
  CCell* FrameCell(int frame) const;
  CCell* SwitcherViewCell(int view) const;
  PreviewSession* Preview() const { return Session.get(); }
  int CurrentLayer() const { return CurrentLayerIndex; }
  double Zoom() const { return ZoomValue; }
  bool PreviewShown() const { return PreviewFlag; }
  // Whether a layer cell's view is in the view table of the channel it was attached to.
  bool LayerViewRegistered(int layer) const;

 private:
  void CreateCanvasCells();
  void AddLayerCells();
  // Takes the layer cells off the canvas (their views leave the channels first).
  void RemoveLayerCells();
  std::string LayerLabel(int layer) const;
  bool LogoOnPip3() const;
  void ApplyZoomScale();
  void SizeFramesToOutput();
  void PlaceVideoViews();
  void RecordShown();
  void ScheduleRecord();

  LRESULT OnCellSelected(WPARAM order);
  LRESULT OnCellChanged(WPARAM order, LPARAM isFrame);
  LRESULT OnCanvasCommand();
  LRESULT OnRelayout();
  LRESULT OnPreviewStateChanged();
  void OnMouseWheel(wxMouseEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnTimer(wxTimerEvent& event);

  // CellViewRegistry: a layer cell's view in channel `channel`, through a mailbox that hands
  // each picture to the UI thread.
  void AttachView(uint32_t channel, CCell* cell) override;
  void DetachView(CCell* cell) override;
  void DetachAllViews();
  void DeliverPicture(uint32_t layer);

  CPictureCtrl* PictureCtrl = nullptr;
  // The four layer cells, kept here rather than looked up on the canvas: while a test pattern
  // holds the output they carry the frame flag, and the canvas's lookup rightly skips frames.
  std::array<CCell*, 4> Layers{};
  bool LayersAsFrames = false;
  std::array<CCell*, 4> Frames{};
  std::array<CCell*, 4> Views{};
  int CurrentLayerIndex = 0;
  double ZoomValue = 6.0;
  int SwitcherModeCache = 0;
  bool PreviewFlag = false;
  bool MachineAtWork = false;
  bool FramesLockedFlag = true;
  bool VideoStarted = false;
  bool RecordPending = false;
  int VideoViewPlacings = 0;  // re-placings asked for by the video library's notification
  std::unique_ptr<PreviewSession> Session;
  // By layer: the mailbox a cell's view receives pictures through, and the channel it is in.
  struct RegisteredView {
    std::unique_ptr<MailboxView> Mailbox;
    uint32_t Channel = 0;
  };
  std::map<uint32_t, RegisteredView> Registered;
  wxTimer RestackTimer;
  wxTimer TopTimer;
  MessageMap Messages;
};
