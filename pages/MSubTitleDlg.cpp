#include "pages/MSubTitleDlg.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/fontdlg.h>
#include <wx/scrolbar.h>

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/Language.h"
#include "app/UiStrings.h"


#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinEdit.h"
#include "controls/SkinStatic.h"
#include "pages/CaptionBitmap.h"
#include "pages/CaptionTextRender.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/os/AppDirectory.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/ShownTexts.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"
const char* const OversizePictureText = "图片超过 3840*128 的限制";
constexpr int TextEditBaseHeight = 60;  // what the layout below the edit was drawn for
constexpr int TextEditMaxHeight = 128;  // the tallest caption
constexpr int TextEditTop = 58;
namespace {
uint32_t Whole(float v) { return v > 0 ? static_cast<uint32_t>(v) : 0; }
uint8_t Hi(uint32_t v) { return static_cast<uint8_t>(v >> 8); }
uint8_t Lo(uint32_t v) { return static_cast<uint8_t>(v); }
}  // namespace

MSubTitleDlg::MSubTitleDlg() : MBaseDialog(IDD, false) {}

MSubTitleDlg::~MSubTitleDlg() { Upload.Close(); }

void MSubTitleDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString();
  // The groups end at x 324; the close button stands right of them, clear of their frames.
  PageWidth = std::max(GetClientSize().x, MinPageWidth);
  // The controls are made with the advanced area open, so that GTK lays out every entry.
  SetPageHeight(UnfoldedHeight);

  // Group boxes: caption input on top, then the local preview, the caption settings, and the
  // display area that the advanced button unfolds.
  AddGroupBox(IdInputGroup, wxRect(6, 6, 318, 150), wxString::FromUTF8(UiStrings[128]));
  AddGroupBox(IdPreviewGroup, wxRect(6, 162, 318, 92), wxString::FromUTF8(UiStrings[126]));
  AddGroupBox(IdSettingGroup, wxRect(6, 260, 318, 144), wxString::FromUTF8(UiStrings[125]));
  AddGroupBox(IdDisplayGroup, wxRect(6, 412, 318, 190), wxString::FromUTF8(UiStrings[127]));
  const wxRect previewGroup = FindGroupBox(IdPreviewGroup)->FrameRect;
  PreviewRect = wxRect(wxPoint(0, previewGroup.y + 20), wxPoint(previewGroup.GetRight() - 5, previewGroup.y + 60 - 1));

  auto button = [this](int id, const wxString& text, const wxRect& r, bool toggle) {
    auto* b = new CGdipButton(this, id, text, r);
    b->LoadStdImage(113);
    b->LoadAltImage(114);
    b->SetToggle(toggle);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
    return b;
  };
  // InitButtons
  OnOffButton = button(IdOnOff, "ON/OFF", wxRect(146, 26, 80, 26), true);
  AdvancedButton = button(IdAdvanced, "Advanced", wxRect(234, 26, 82, 26), true);
  BrowseButton = button(IdBrowse, "Browse", wxRect(14, 124, 70, 26), false);
  FontButton = button(IdFont, "Font", wxRect(90, 124, 70, 26), false);
  CentreButton = button(IdCentre, "Align Center", wxRect(166, 124, 72, 26), true);
  PreviewButton = button(IdPreview, "Preview", wxRect(244, 124, 72, 26), false);
  ForegroundButton = button(IdForeground, "Text Color", wxRect(14, 310, 96, 26), false);
  BackgroundButton = button(IdBackground, "Back Color", wxRect(116, 310, 96, 26), false);
  InvertButton = button(IdInvert, "Invert", wxRect(218, 310, 98, 26), true);
  const char* outputs[] = {"Out 1", "Out 2", "Out 3", "Out 4"};
  for (int i = 0; i < 4; ++i) {
    OutputButtons[i] = button(IdFirstOutput + i, outputs[i], wxRect(14 + 76 * i, 342, 70, 26), true);
    OnClicked(IdFirstOutput + i, [this, i] { OnBnClickedOutput(IdFirstOutput + i); });
  }
  SaveButton = button(IdSave, "Save", wxRect(14, 374, 96, 26), false);
  InitialiseButton = button(IdInitialise, "Initialize", wxRect(116, 374, 96, 26), false);

  // InitCaptionDefaults: text, font, colours and edit ranges.
  TextEdit = new SkinEdit(this, IdText, wxRect(14, TextEditTop, 302, 60));
  CaptionFont = DefaultCaptionFont();
  struct EditRow {
    int Id, LabelId;
    const char* Label;
    wxRect Rect;
    float Low, High, Start;
    oRealEdit** Target;
  };
  const EditRow edits[] = {
      {IdHStart, LabelId::CaptionHStart, "H Start :", wxRect(84, 436, 76, 24), 0, 3840, 0, &HStartEdit},
      {IdVStart, LabelId::CaptionVStart, "V Start :", wxRect(232, 436, 76, 24), 0, 3840, 0, &VStartEdit},
      {IdWidth, LabelId::Width, "Width :", wxRect(84, 468, 76, 24), 10, 3840, 600, &WidthEdit},
      {IdHeight, LabelId::Height, "Height :", wxRect(232, 468, 76, 24), 10, 128, 60, &HeightEdit},
      {IdDisplayWidth, LabelId::DisplayWidth, "Display W :", wxRect(84, 500, 76, 24), 1, 3840, 600,
       &DisplayWidthEdit},
  };
  for (const EditRow& e : edits) {
    // The label ends left of its edit and never reaches over the edit of the other column.
    new SkinStatic(this, e.LabelId, e.Label, wxRect(e.Rect.x - 70, e.Rect.y + 3, 66, 18), wxALIGN_RIGHT);
    *e.Target = new oRealEdit(this, e.Id, e.Rect);
    (*e.Target)->SetRange(true, e.Low, e.High, "%d", e.Start);
  }
  // Hidden, as on the original page; its moves only redraw the preview.
  HiddenScrollBar = new wxScrollBar(this, IdHiddenScrollBar, wxPoint(14, 230), wxSize(302, 16), wxSB_HORIZONTAL);
  HiddenScrollBar->SetScrollbar(1, 1, 101, 10);
  HiddenScrollBar->Hide();
  HiddenScrollBar->Bind(wxEVT_SCROLL_LINEUP, [this](wxScrollEvent&) { MoveHiddenScrollBar(HiddenScrollBar->GetThumbPosition() - 1); });
  HiddenScrollBar->Bind(wxEVT_SCROLL_LINEDOWN, [this](wxScrollEvent&) { MoveHiddenScrollBar(HiddenScrollBar->GetThumbPosition() + 1); });
  HiddenScrollBar->Bind(wxEVT_SCROLL_PAGEUP, [this](wxScrollEvent&) { MoveHiddenScrollBar(HiddenScrollBar->GetThumbPosition() - 10); });
  HiddenScrollBar->Bind(wxEVT_SCROLL_PAGEDOWN, [this](wxScrollEvent&) { MoveHiddenScrollBar(HiddenScrollBar->GetThumbPosition() + 10); });
  HiddenScrollBar->Bind(wxEVT_SCROLL_THUMBTRACK, [this](wxScrollEvent& e) { MoveHiddenScrollBar(e.GetPosition()); });
  HiddenScrollBar->Bind(wxEVT_SCROLL_TOP, [this](wxScrollEvent&) { MoveHiddenScrollBar(1); });
  HiddenScrollBar->Bind(wxEVT_SCROLL_BOTTOM, [this](wxScrollEvent&) { MoveHiddenScrollBar(100); });
  TextEdit->ChangeValue("Welcome");
  StyleTextEdit();
  SetTextEditHeight(static_cast<int>(HeightEdit->Value()));

  InitDropLists();
  CaptionFilePath = CaptionStartPath(GetAppDirectory());

  OnClicked(IdPreview, [this] { OnBnClickedPreview(); });
  OnClicked(IdBrowse, [this] {
    wxFileDialog dialog(this, wxString(), wxString(), wxString(), "BMP File(*.bmp)|*.bmp",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK) LoadCaptionPicture(dialog.GetPath().ToStdString(wxConvUTF8));
  });
  auto pickColour = [this](COLORREF start, bool foreground) {
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(ColourFromRef(start));
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() != wxID_OK) return;
    const COLORREF chosen = RefFromColour(dialog.GetColourData().GetColour());
    if (foreground)
      ApplyForegroundColour(chosen);
    else
      ApplyBackgroundColour(chosen);
  };
  OnClicked(IdForeground, [this, pickColour] { pickColour(ForegroundColour, true); });
  OnClicked(IdBackground, [this, pickColour] { pickColour(BackgroundColour, false); });
  OnClicked(IdFont, [this] {
    wxFontData data;
    data.SetInitialFont(TextEdit->GetFont());
    data.EnableEffects(true);
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() == wxID_OK) ApplyCaptionFont(dialog.GetFontData().GetChosenFont());
  });
  OnClicked(IdSave, [this] { OnBnClickedSave(); });
  OnClicked(IdOnOff, [this] { OnBnClickedOnOff(); });
  OnClicked(IdInitialise, [this] { OnBnClickedInitialise(); });
  OnClicked(IdInvert, [this] { InvertBits = InvertButton->IsChecked() ? 1 : 0; });
  OnClicked(IdAdvanced, [this] { OnBnClickedAdvanced(); });
  OnClicked(IdCentre, [this] { RenderPreviewText(); });
  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  OnMsg(MRenderCaptionPreview, [this](WPARAM, LPARAM) -> LRESULT {
    RenderPreviewText();
    return 0;
  });
  TextEdit->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
    FromFile = 0;
    RenderPreviewText();
    event.Skip();
  });
  Bind(wxEVT_LEFT_DOWN, &MSubTitleDlg::OnPreviewMouseDown, this);
  Bind(wxEVT_LEFT_UP, &MSubTitleDlg::OnPreviewMouseUp, this);
  Bind(wxEVT_MOTION, &MSubTitleDlg::OnPreviewMotion, this);
  SetChildFonts();
  TextEdit->SetFont(CaptionFont);
  SaveButton->Enable(false);
  EnableAllControls(false);
  // What the advanced button unfolds is hidden while folded away.
  const int advancedTop = FindGroupBox(IdDisplayGroup)->FrameRect.y;
  for (wxWindow* child : GetChildren())
    if (child->IsShown() && child->GetRect().y >= advancedTop) AdvancedControls.push_back(child);
  SetPageHeight(FoldedHeight);
}

void MSubTitleDlg::InitDropLists() {
  DirectionList = MakePageDropList(this, CaptionDirectionListId, wxRect(118, 282, 96, 22));
  SpeedList = MakePageDropList(this, CaptionSpeedListId, wxRect(14, 282, 98, 22));
  BackgroundList = MakePageDropList(this, CaptionBackgroundListId, wxRect(220, 282, 96, 22));
  CaptionList = MakePageDropList(this, CaptionIndexListId, wxRect(14, 28, 120, 22));
  FillDropLists();
}

void MSubTitleDlg::FillDropLists() {
  auto fill = [](CDropButton* button, int firstString, int count) {
    const int keep = button->GetCurSel();
    CDropList* list = button->GetList();
    list->ResetContent();
    for (int i = 0; i < count; ++i) list->SetItemData(list->AddString(wxString::FromUTF8(UiStrings[firstString + i])), i);
    button->SetCurSel(keep >= 0 && keep < count ? keep : 0);
  };
  fill(DirectionList, 123, 2);
  fill(SpeedList, 119, 4);
  fill(BackgroundList, 116, 3);
  fill(CaptionList, 130, 4);
}

void MSubTitleDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  const std::pair<int, int> groups[] = {
      {IdSettingGroup, 125}, {IdPreviewGroup, 126}, {IdDisplayGroup, 127}, {IdInputGroup, 128}};
  for (const auto& [id, text] : groups)
    if (CSxGroupBox* g = FindGroupBox(id)) g->SetText(wxString::FromUTF8(UiStrings[text]));
  FillDropLists();
  Refresh();
}

void MSubTitleDlg::ShowPage(bool show) {
  OnInitDialog();
  if (!show) {
    // A hidden page always reopens folded and in the default look, even when it was hidden folded:
    // a font or colour chosen before must not go out with the next caption.
    AdvancedButton->SetChecked(false);
    FoldAdvanced();
  }
  MBaseDialog::ShowPage(show);
}

void MSubTitleDlg::MoveHiddenScrollBar(int position) {
  HiddenScrollBar->SetThumbPosition(std::clamp(position, 0, 100));
  Refresh();
}

void MSubTitleDlg::SetPageHeight(int height) {
  const int pixels = (height + EditGrowth) * GetDPI().y / 96;
  wxWindow* host = PopupHost();
  if (host) host->SetClientSize(PageWidth, pixels);
  SetSize(PageWidth, pixels);
  for (wxWindow* control : AdvancedControls) control->Show(height >= UnfoldedHeight);
  Refresh();
}

bool MSubTitleDlg::AdvancedShown() const { return AdvancedButton && AdvancedButton->IsChecked(); }

void MSubTitleDlg::StyleTextEdit() {
  TextEdit->SetForegroundColour(ColourFromRef(ForegroundColour));
  TextEdit->SetBackgroundColour(ColourFromRef(BackgroundColour));
  TextEdit->Refresh();
}

void MSubTitleDlg::SetTextEditHeight(int height) {
  const int h = std::clamp(height, 10, TextEditMaxHeight);
  const wxRect r = TextEdit->GetRect();
  TextEdit->SetSize(r.x, r.y, r.width, h);
  // A caption taller than the edit's place pushes everything under the edit down with it, so
  // that the buttons there stay reachable.
  const int growth = std::max(0, h - TextEditBaseHeight);
  const int step = growth - EditGrowth;
  if (step != 0) {
    const int below = TextEditTop + TextEditBaseHeight;
    for (wxWindow* child : GetChildren()) {
      const wxRect c = child->GetRect();
      if (child != TextEdit && c.y >= below) child->Move(c.x, c.y + step);
    }
    for (int id : {IdPreviewGroup, IdSettingGroup, IdDisplayGroup})
      if (CSxGroupBox* group = FindGroupBox(id)) group->FrameRect.y += step;
    if (CSxGroupBox* input = FindGroupBox(IdInputGroup)) input->FrameRect.height += step;
    PreviewRect.y += step;
    EditGrowth = growth;
    const int pixels = step * GetDPI().y / 96;
    if (wxWindow* host = PopupHost()) host->SetClientSize(host->GetClientSize().x, host->GetClientSize().y + pixels);
    SetSize(GetSize().x, GetSize().y + pixels);
  }
  Refresh();
}

long MSubTitleDlg::ListData(CDropButton* list) const {
  const int index = list->GetCurSel();
  return index >= 0 && index < list->GetList()->GetCount() ? list->GetList()->GetItemData(index) : 0;
}

void MSubTitleDlg::SendColours() {
  const COLORREF f = ForegroundColour, b = BackgroundColour;
  GetDeviceState().SendCommand(CmdCaption, CurrentCaption, 3, RefRed(f), RefGreen(f), RefBlue(f), 255, RefRed(b),
                               RefGreen(b), RefBlue(b), ListData(BackgroundList));
}

void MSubTitleDlg::SendScrolling() {
  GetDeviceState().SendCommand(CmdCaption, CurrentCaption, 0, ListData(SpeedList), ListData(DirectionList));
}

void MSubTitleDlg::SendPosition() {
  const uint32_t h = Whole(HStartEdit->Value()), v = Whole(VStartEdit->Value()), w = Whole(DisplayWidthEdit->Value());
  GetDeviceState().SendCommand(CmdCaptionLayout, CurrentCaption, 2, Lo(h), Hi(h), Lo(v), Hi(v), Lo(w), Hi(w), 0x55,
                               0x55);
}

void MSubTitleDlg::SendQuery70(uint32_t caption) { GetDeviceState().SendCommand(CmdQuery70, caption); }

void MSubTitleDlg::RenderPreviewText() {
  if (!Built || Rendering) return;
  Rendering = true;
  const wxSize extent = MeasureCaptionText(TextEdit->GetValue(), CaptionFont);
  if (extent.x != 0 && extent.y != 0) {
    if (!CentreButton->IsChecked()) WidthEdit->SetValue(static_cast<float>(extent.x));
    HeightEdit->SetValue(static_cast<float>(extent.y));
    ScrollOffset = 0;
    PreviewRect.width = static_cast<int>(WidthEdit->Value());
    SetTextEditHeight(static_cast<int>(HeightEdit->Value()));
    TextEdit->Refresh();
    Refresh();
  }
  Rendering = false;
}

void MSubTitleDlg::OnBnClickedPreview() {
  if (FromFile == 0) {
    const int w = static_cast<int>(WidthEdit->Value()), h = static_cast<int>(HeightEdit->Value());
    const wxImage picture = RenderCaptionText(TextEdit->GetValue(), CaptionFont, w, h, CentreButton->IsChecked());
    const int index = std::max(CaptionList->GetCurSel(), 0);
    CaptionFilePath = CaptionFilePathFor(GetAppDirectory(), static_cast<uint32_t>(index));
    if (!SaveImageAsCaptionBmp(picture, CaptionFilePath)) {
      ShowOperatorMessage(this, LanguageText("XIDS_CaptionFileNotWritten") + " " + CaptionFilePath,
                          UiStrings[38]);
      return;
    }
  }
  SkipUpload = 0;
  // Nothing was announced: Save and the on-air controls stay as they were.
  if (!OpenCaptionBitmap()) return;
  SaveButton->Enable(true);
  EnableAllControls(true);
  HStartEdit->SetValue(0);
  VStartEdit->SetValue(0);
  DisplayWidthEdit->SetValue(GetDeviceState().OutputTiming.HActive);
}

bool MSubTitleDlg::OpenCaptionBitmap() {
  SendBusyBox(*this, true, UiStrings[65]);
  WaitBehindBusyBox(CaptionWait::Upload);
  if (!Upload.Open(CaptionFilePath)) {
    // Nothing will answer an announcement that was never made: withdraw the busy box here.
    StopWaiting();
    SendBusyBox(*this, false);
    ShowOperatorMessage(this, "Caption Invalid");
    return false;
  }
  UploadCaption = CurrentCaption;
  UploadStartedFolded = !AdvancedShown();
  if (UploadStartedFolded) {
    SendColours();
    SendScrolling();
  }
  const uint32_t w = Upload.BitmapWidth, h = Upload.BitmapHeight;
  GetDeviceState().SendCommand(CmdCaptionLayout, CurrentCaption, 0, Lo(w), Hi(w), Lo(h), Hi(h), FromFile);
  // The device needs a moment before it asks for the rows.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return true;
}

void MSubTitleDlg::StartCaptionUpload(bool accepted) {
  OnInitDialog();
  if (!accepted) {
    // A refusal of an announcement whose wait has ended closes no other operation's box.
    if (Waiting != CaptionWait::Upload) return;
    StopWaiting();
    SendBusyBox(*this, false);
    ShowOperatorMessage(this, "Caption Invalid");
    return;
  }
  if (SkipUpload) return;
  if (!Upload.Start(InvertBits != 0)) {
    // Asked for rows without an announced file: nothing to send, nothing to wait for.
    StopWaiting();
    SendBusyBox(*this, false);
    return;
  }
  SetTimer(CaptionAckTimer, 2000);
}

void MSubTitleDlg::OnCaptionChunkAck() {
  OnInitDialog();
  const DeviceState& s = GetDeviceState();
  switch (Upload.OnAck(s.CaptionAckStatus, s.CaptionAckOffset)) {
  case CaptionUpload::AckStep::Ignored: return;
  case CaptionUpload::AckStep::Acknowledged: KillTimer(CaptionAckTimer); return;
  case CaptionUpload::AckStep::NextChunkSent: SetTimer(CaptionAckTimer, 2000); return;
  case CaptionUpload::AckStep::Finished: break;
  }
  KillTimer(CaptionAckTimer);
  const uint32_t w = Upload.BitmapWidth, h = Upload.BitmapHeight;
  const uint32_t hs = Whole(HStartEdit->Value()), vs = Whole(VStartEdit->Value());
  DeviceState& state = GetDeviceState();
  state.SendCommand(CmdCaptionLayout, UploadCaption, 1, Lo(w), Hi(w), Lo(h), Hi(h), Lo(hs), Hi(hs), Lo(vs), Hi(vs));
  if (UploadStartedFolded) state.SendCommand(CmdCaption, UploadCaption, 1);
  SendQuery70(0);
  OnOffButton->SetChecked(true);
  OnOffButton->Refresh();
  EndTransfer();
}

void MSubTitleDlg::OnSaveResult() {
  KillTimer(CaptionBusyTimer);
  // A caption on its way is not the operation this result ends.
  if (Waiting != CaptionWait::Upload) StopWaiting();
}

void MSubTitleDlg::WaitBehindBusyBox(CaptionWait what) {
  Waiting = what;
  Enable(false);
}

void MSubTitleDlg::StopWaiting() {
  Waiting = CaptionWait::Nothing;
  Enable(true);
}

void MSubTitleDlg::EndTransfer() {
  StopWaiting();
  SendBusyBox(*this, false);
}

bool MSubTitleDlg::EndWaitForDevice() {
  const CaptionWait cut = std::exchange(Waiting, CaptionWait::Nothing);
  if (cut == CaptionWait::Nothing) return false;
  // Nothing waits any more, and an acceptance that still comes starts nothing until the next
  // preview.
  KillTimer(CaptionBusyTimer);
  KillTimer(CaptionAckTimer);
  if (Upload.IsOpen()) {
    Upload.Close();
    SkipUpload = 1;
  }
  Enable(true);
  // The box the page waited behind goes with the wait (the link's report closes no box itself).
  SendBusyBox(*this, false);
  if (cut != CaptionWait::Upload) return false;
  // Told once the reply that ended the wait has been handled: a reconnect's read-all goes out first.
  CallAfter([this] { ShowOperatorMessage(this, LanguageText("XIDS_CaptionNotTaken"), UiStrings[38]); });
  return true;
}

void MSubTitleDlg::OnTimer(int id) {
  if (id == CaptionBusyTimer) {
    KillTimer(CaptionBusyTimer);
    // The save was never confirmed: the main window ends the wait as its watchdog would, and
    // tells the operator once, whichever of the two time-outs comes first.
    StopWaiting();
    if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MBusyWaitTimedOut, 0, 0);
    EndTransfer();
  } else if (id == CaptionAckTimer) {
    KillTimer(CaptionAckTimer);
    switch (Upload.OnTimeout()) {
    case CaptionUpload::TimeoutStep::Nothing: break;
    case CaptionUpload::TimeoutStep::Resent: SetTimer(CaptionAckTimer, 2000); break;
    case CaptionUpload::TimeoutStep::GaveUp:
      EndTransfer();
      ShowOperatorMessage(this, UiStrings[129], UiStrings[38]);
      break;
    }
  }
}

bool MSubTitleDlg::LoadCaptionPicture(const std::string& path) {
  EnsureImageHandlers();
  wxImage picture;
  const bool loaded = wxFileExists(wxString::FromUTF8(path)) && picture.LoadFile(wxString::FromUTF8(path)) && picture.IsOk();
  // A file that is no picture is refused like one that is too large.
  if (!loaded || !CaptionSizeFits(static_cast<uint32_t>(picture.GetWidth()), static_cast<uint32_t>(picture.GetHeight()))) {
    ShowOperatorMessage(this, OversizePictureText);
    return false;
  }
  WidthEdit->SetValue(static_cast<float>(picture.GetWidth()));
  HeightEdit->SetValue(static_cast<float>(picture.GetHeight()));
  if (!SaveImageAsCaptionBmp(picture, CaptionFilePath)) {
    ShowOperatorMessage(this, LanguageText("XIDS_CaptionFileNotWritten") + " " + CaptionFilePath,
                        UiStrings[38]);
    return false;
  }
  PreviewRect.width = picture.GetWidth();
  PreviewRect.height = picture.GetHeight();
  ScrollOffset = 0;
  FromFile = 1;
  Refresh();
  return true;
}

void MSubTitleDlg::ApplyForegroundColour(COLORREF colour) {
  ForegroundColour = colour;
  SendColours();
  StyleTextEdit();
  Refresh();
}

void MSubTitleDlg::ApplyBackgroundColour(COLORREF colour) {
  BackgroundColour = colour;
  SendColours();
  StyleTextEdit();
  Refresh();
}

void MSubTitleDlg::ApplyCaptionFont(const wxFont& font) {
  if (!font.IsOk()) return;
  CaptionFont = font;
  TextEdit->SetFont(CaptionFont);
  if (TextEdit->GetValue().empty()) TextEdit->ChangeValue("Welcome");
  SendMsg(this, MRenderCaptionPreview, 0, 0);
  TextEdit->Refresh();
}

void MSubTitleDlg::OnBnClickedSave() {
  GetDeviceState().SendCommand(CmdCaption, CurrentCaption, 1);
  SaveButton->Enable(false);
  SendBusyBox(*this, true, UiStrings[65]);
  WaitBehindBusyBox(CaptionWait::Save);
  SetTimer(CaptionBusyTimer, 15000);
}

void MSubTitleDlg::OnBnClickedOnOff() {
  const bool on = OnOffButton->IsChecked();
  GetDeviceState().SendCommand(CmdCaption, CurrentCaption, 2, on ? 1 : 0);
  SkipUpload = 1;
  SendQuery70(CurrentCaption);
  if (on) EnableAllControls(true);
}

void MSubTitleDlg::OnBnClickedInitialise() {
  if (!AskOperator(this, UiStrings[135], UiStrings[38])) return;
  GetDeviceState().SendCommand(CmdCaption, 0x55, 5);
  SendBusyBox(*this, true, UiStrings[65]);
  WaitBehindBusyBox(CaptionWait::Initialise);
}

void MSubTitleDlg::OnBnClickedOutput(int id) {
  const int i = id - IdFirstOutput;
  if (i < 0 || i > 3 || CurrentCaption > 3) return;
  DeviceState& s = GetDeviceState();
  uint8_t* enable = s.CaptionSettings[CurrentCaption].OutputEnable;
  enable[i] = OutputButtons[i]->IsChecked() ? 1 : 0;
  s.SendCommand(CmdCaption, CurrentCaption, 4, enable[0], enable[1], enable[2], enable[3]);
}

void MSubTitleDlg::FoldAdvanced() {
  AdvancedButton->SetTextColour(PageTextOff);
  SetPageHeight(FoldedHeight);
  CaptionFont = DefaultCaptionFont();
  TextEdit->SetFont(CaptionFont);
  SendMsg(this, MRenderCaptionPreview, 0, 0);
  BackgroundColour = 0;
  ForegroundColour = 0x0000FF;
  SpeedList->SetCurSel(0);
  BackgroundList->SetCurSel(0);
  DirectionList->SetCurSel(0);
  StyleTextEdit();
}

void MSubTitleDlg::OnBnClickedAdvanced() {
  if (AdvancedButton->IsChecked()) {
    AdvancedButton->SetTextColour(PageTextOn);
    SetPageHeight(UnfoldedHeight);
    SendQuery70(CurrentCaption);
  } else {
    FoldAdvanced();
  }
}

void MSubTitleDlg::EnableAllControls(bool enable) {
  for (CDropButton* l : {SpeedList, DirectionList, BackgroundList}) l->Enable(enable);
  for (CGdipButton* b : {ForegroundButton, BackgroundButton}) b->Enable(enable);
  for (oRealEdit* e : {HStartEdit, VStartEdit, DisplayWidthEdit}) e->Enable(enable);
  for (CGdipButton* b : OutputButtons) b->Enable(enable);
  Refresh();
}

void MSubTitleDlg::OnEditValueChanged(int id) {
  const OutputTiming& out = GetDeviceState().OutputTiming;
  auto clampTo = [](oRealEdit* edit, int bound) {
    if (static_cast<int>(edit->Value()) > bound) edit->SetValue(static_cast<float>(std::max(bound, 0)));
  };
  switch (id) {
  case IdHStart:
    clampTo(HStartEdit, out.HActive - static_cast<int>(DisplayWidthEdit->Value()));
    SendPosition();
    break;
  case IdVStart:
    clampTo(VStartEdit, out.VActive - static_cast<int>(HeightEdit->Value()));
    SendPosition();
    break;
  case IdDisplayWidth:
    clampTo(DisplayWidthEdit, out.HActive - static_cast<int>(HStartEdit->Value()));
    SendPosition();
    break;
  case IdWidth:
    clampTo(WidthEdit, static_cast<int>(CaptionMaxWidth) - static_cast<int>(HStartEdit->Value()));
    PreviewRect.width = static_cast<int>(WidthEdit->Value());
    ScrollOffset = 0;
    SaveButton->Enable(false);
    Refresh();
    break;
  case IdHeight:
    clampTo(HeightEdit, out.VActive - static_cast<int>(VStartEdit->Value()));
    PreviewRect.height = static_cast<int>(HeightEdit->Value());
    SetTextEditHeight(static_cast<int>(HeightEdit->Value()));
    SaveButton->Enable(false);
    Refresh();
    break;
  default: break;
  }
}

void MSubTitleDlg::OnDropListSelChanged(int listId, int index) {
  DeviceState& s = GetDeviceState();
  switch (listId) {
  case CaptionDirectionListId:
  case CaptionSpeedListId: SendScrolling(); break;
  case CaptionBackgroundListId:
    SendColours();
    Refresh();
    break;
  case CaptionIndexListId:
    if (index < 0 || index > 3) return;
    CurrentCaption = static_cast<uint32_t>(index);
    s.SendCommand(CmdCaption, index, 2, OnOffButton->IsChecked() ? 1 : 0);
    SendQuery70(CurrentCaption);
    SaveButton->Enable(false);
    EnableAllControls(true);
    RecordShown();
    break;
  default: break;
  }
}

void MSubTitleDlg::RecordShown() {
  const int index = CaptionList->GetCurSel();
  const CDropList* list = CaptionList->GetList();
  const std::string listed = index >= 0 && index < list->GetCount() ? list->GetText(index).utf8_string() : "";
  RecordShownTexts("caption page", {"list " + listed, "acts on caption " + std::to_string(CurrentCaption + 1),
                                    "device records " + std::to_string(DeviceRecordsHeard)});
}

void MSubTitleDlg::UpdateFromDevice(int32_t caption) {
  OnInitDialog();
  ++DeviceRecordsHeard;
  ApplyDeviceRecord(caption);
  RecordShown();
}

void MSubTitleDlg::ApplyDeviceRecord(int32_t caption) {
  // The record number and the caption it names come from the device: only 0..3 exist.
  if (caption < 0 || caption > 3) return;
  const CaptionSettings& r = GetDeviceState().CaptionSettings[caption];
  if (r.SelectedCaption > 3) return;
  // The device names the caption selected; the list always names the caption the page acts on,
  // folded or not.
  CurrentCaption = r.SelectedCaption;
  DropListSelectByData(CaptionList, r.SelectedCaption);
  if (!AdvancedShown()) return;
  if (CaptionList->GetCurSel() != static_cast<int>(CurrentCaption)) return;
  // Another caption's record (the query at the end of an upload asks for the first) is never
  // shown under the selected caption's name.
  if (static_cast<uint32_t>(caption) != CurrentCaption) return;
  WidthEdit->SetValue(r.Width);
  HeightEdit->SetValue(r.Height);
  HStartEdit->SetValue(r.HStart);
  VStartEdit->SetValue(r.VStart);
  DisplayWidthEdit->SetValue(r.DisplayWidth);
  ForegroundColour = r.ForegroundColour & 0xFFFFFF;
  BackgroundColour = r.BackgroundColour & 0xFFFFFF;
  // The font follows the caption's height, which the device may report beyond what a caption holds.
  if (r.Height > 0) CaptionFont = CaptionFontWithHeight(CaptionFont, std::min<int>(r.Height, CaptionMaxHeight));
  TextEdit->SetFont(CaptionFont);
  StyleTextEdit();
  DropListSelectByData(SpeedList, r.ScrollSpeed);
  DropListSelectByData(BackgroundList, r.BackgroundMode);
  DropListSelectByData(DirectionList, r.ScrollDirection);
  ScrollOffset = 0;
  PreviewRect.width = static_cast<int>(WidthEdit->Value());
  PreviewRect.height = static_cast<int>(HeightEdit->Value());
  SetTextEditHeight(static_cast<int>(HeightEdit->Value()));
  OnOffButton->SetChecked(r.Enable != 0);
  for (int i = 0; i < 4; ++i) OutputButtons[i]->SetChecked(r.OutputEnable[i] != 0);
  Refresh();
}

int MSubTitleDlg::ImageWidth() const { return PreviewRect.width; }

void MSubTitleDlg::PaintExtras(wxDC& dc) {
  if (!Built || PreviewRect.width <= 0 || PreviewRect.height <= 0) return;
  // The preview stays inside its group, however tall the caption is.
  const CSxGroupBox* group = const_cast<MSubTitleDlg*>(this)->FindGroupBox(IdPreviewGroup);
  wxRect clip = PreviewRect;
  if (group) {
    // The band starts inside the frame and runs to 5 pixels short of its right edge.
    clip.x = std::max(clip.x, group->FrameRect.x + 2);
    clip.width = std::min(PreviewRect.width, group->FrameRect.GetRight() - 5 - clip.x + 1);
    clip.height = std::min(clip.height, group->FrameRect.GetBottom() - 3 - clip.y);
  }
  if (clip.width <= 0 || clip.height <= 0) return;
  wxImage picture;
  if (FromFile) {
    // Only a regular file: a FIFO put in its place would hold the paint up.
    if (wxFileExists(wxString::FromUTF8(CaptionFilePath)))
      picture.LoadFile(wxString::FromUTF8(CaptionFilePath), wxBITMAP_TYPE_BMP);
  } else {
    const int w = std::max(PreviewRect.width, 1), h = std::max(PreviewRect.height, 1);
    wxBitmap bitmap(w, h, 24);
    wxMemoryDC mdc(bitmap);
    const long mode = ListData(BackgroundList);
    if (mode == 0) {
      mdc.SetBackground(wxBrush(ColourFromRef(BackgroundColour)));
      mdc.Clear();
    } else {
      const wxImage backdrop = LoadImageResource(ResourceType::Bitmap, mode == 1 ? 1532 : 1531);
      mdc.SetBackground(*wxBLACK_BRUSH);
      mdc.Clear();
      if (backdrop.IsOk()) mdc.DrawBitmap(wxBitmap(backdrop.Scale(w, h)), 0, 0);
    }
    mdc.SetFont(CaptionFont);
    mdc.SetTextForeground(ColourFromRef(ForegroundColour));
    mdc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxString text = TextEdit->GetValue();
    const int x = CentreButton->IsChecked() ? (w - mdc.GetTextExtent(text).x) / 2 : 0;
    mdc.DrawText(text, x, 0);
    mdc.SelectObject(wxNullBitmap);
    picture = bitmap.ConvertToImage();
  }
  if (!picture.IsOk()) return;
  const int from = std::clamp(ScrollOffset, 0, std::max(picture.GetWidth() - 1, 0));
  const int w = std::min(clip.width, picture.GetWidth() - from);
  const int h = std::min(clip.height, picture.GetHeight());
  if (w <= 0 || h <= 0) return;
  dc.DrawBitmap(wxBitmap(picture.GetSubImage(wxRect(from, 0, w, h))), clip.x, clip.y);
}

void MSubTitleDlg::OnPreviewMouseDown(wxMouseEvent& event) {
  Pressed = PreviewRect.Contains(event.GetPosition());
  if (Pressed) PressPoint = event.GetPosition();
  event.Skip();
}

void MSubTitleDlg::OnPreviewMouseUp(wxMouseEvent& event) {
  const wxPoint at = event.GetPosition();
  const int pageWidth = GetClientSize().x;
  if (Pressed && PreviewRect.Contains(at) && ImageWidth() >= pageWidth) {
    ScrollOffset += PressPoint.x - at.x;
    const int limit = FromFile ? ImageWidth() - pageWidth : (ImageWidth() - pageWidth + 6) / 2;
    ScrollOffset = std::clamp(ScrollOffset, 0, std::max(limit, 0));
    Refresh();
  }
  Pressed = false;
  event.Skip();
}

void MSubTitleDlg::OnPreviewMotion(wxMouseEvent& event) {
  SetCursor(PreviewRect.Contains(event.GetPosition()) ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
  event.Skip();
}
