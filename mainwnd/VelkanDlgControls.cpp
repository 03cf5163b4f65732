// What the main-window controls ask of the window that holds them.
#include "mainwnd/VelkanDlg.h"

#include "app/DeviceState.h"
#include "app/Language.h"
#include "app/Utilities.h"
#include "app/UiStrings.h"
#include "mainwnd/MMainDlg.h"
#include "mainwnd/MainControlsLogic.h"
#include "mainwnd/MainLayout.h"
#include "platform/os/AtomicFile.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "pages/MLogoDlg.h"
#include "pages/MPIPDlg.h"
#include "pages/MTaskDlg.h"
#include "pages/MTstPatternDlg.h"
#include "controls/OperatorNotices.h"

void VelkanDlg::OpenBusy(const std::string& text) { Busy.ShowBusy(true, text); }

void VelkanDlg::LayerEnableChanged(int layer) {
  if (layer < 1 || layer >= LayerCount) return;
  Pip->ShowPipOn(layer - 1);
  MainArea->ShowLayerByState(layer);
  MainArea->Canvas()->Refresh();
}

void VelkanDlg::Pip3Switched(bool on) { Logo->OnPip3Switched(on); }

void VelkanDlg::PresetStatesChanged() { Task->FillPresetList(); }

void VelkanDlg::LockOutputChanged(bool) { ApplyModeView(); }

void VelkanDlg::BringLayerToTop(int layer) { MainArea->BringLayerToTop(layer); }

void VelkanDlg::ShowVideoWindow() { MainArea->ShowPreviewWindow(true); }

void VelkanDlg::SaveProjectShortcut() {
  const std::string path = ProjectFilePath;
  Busy.ShowBusy(true, UiStrings[65]);
  OnProjectFile(ProjectSave, reinterpret_cast<LPARAM>(&path));
}

void VelkanDlg::HideTestPatternPage() { TestPattern->ShowPage(false); }

LayoutRect VelkanDlg::WorkArea() const {
  return WorkingAreaRect(ClientLayoutRect(), Scale(), Pages.CurrentPage() != NoPage);
}

std::array<LayoutRect, 12> VelkanDlg::InputIcons() const {
  return PlacedInputIcons(ClientLayoutRect(), Scale(), GetDeviceState());
}

void VelkanDlg::OnMouseDown(wxMouseEvent& event) {
  if (LoopOut && LoopOut->TitleStripHit(event.GetX(), event.GetY())) {
    ShowPage(static_cast<int>(PageIndex::Misc), false);
    return;
  }
  if (!Controls || !Controls->OnLeftDown(event.GetX(), event.GetY())) event.Skip();
}

void VelkanDlg::OnMouseDoubleClick(wxMouseEvent& event) {
  if (!Controls || !Controls->OnLeftDoubleClick(event.GetX(), event.GetY())) event.Skip();
}

LRESULT VelkanDlg::OnSelectLayer(WPARAM layer, LPARAM) {
  if (!Controls || layer >= LayerCount || layer == Controls->LayerCopy()) return 0;
  Controls->SetLayerCopy(static_cast<uint32_t>(layer));
  ApplyLayerSettings(static_cast<int>(layer), false);
  return 0;
}

void VelkanDlg::TellSaveFailed(const std::string& path, const std::string& error) {
  if (IsWriteProtectedFile(path)) {
    RecordShownTexts("project", {"write-protected: " + path});
    ShowOperatorMessage(this, GetFileTitlePart(path) + ": " + LanguageText("XIDS_ProjectWriteProtected") + "\n" + path,
                        UiStrings[38]);
    return;
  }
  std::string text = UiStrings[67] + ": " + path;
  if (!error.empty()) text += "\n" + error;
  RecordShownTexts("project", {"save failed: " + path});
  ShowOperatorMessage(this, text, UiStrings[38]);
}

void VelkanDlg::TellProjectNotLoaded(bool noKeys, const std::string& path) {
  if (noKeys) {
    // The operator learns which project the settings still go to.
    RecordShownTexts("project", {"no settings: " + path, "in use: " + ProjectFilePath});
    ShowOperatorMessage(this,
                        GetFileTitlePart(path) + ": " + LanguageText("XIDS_ProjectNotOpenedNoSettings") + "\n" +
                            ProjectFilePath,
                        UiStrings[38]);
    return;
  }
  RecordShownTexts("project", {"not read: " + path});
  ShowOperatorMessage(this, GetFileTitlePart(path) + ": " + LanguageText("XIDS_ProjectNotRead") + "\n" + path,
                      UiStrings[38]);
}
