#include "pages/MVideoSettingDlg.h"

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"
#include "pages/PageLook.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"
#include "preview/upload/EncoderUploadProtocol.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

namespace {

constexpr int EncoderGroupId = 1614;
constexpr int UpdateGroupId = 1615;
constexpr int ProgressChannelImage = 1550;
constexpr int ProgressActiveImage = 1551;
constexpr int ButtonImage = 115;
constexpr COLORREF GroupText = 0xEBEBEB;
constexpr COLORREF GroupBack = 0x1E1E1E;
constexpr COLORREF ListBack = 0x2E2E2E;

// The page as its dialog template lays it out (320 x 400). Its labels and group boxes have ids
// no other window uses: the language files name texts by id alone.
constexpr ControlSpec PageControls[] = {
    {EncoderGroupId, ControlKind::GroupBox, 10, 34, 300, 200, "Encoder", 0},
    {1610, ControlKind::Static, 20, 58, 110, 22, "Quality", 0},
    {MVideoSettingDlg::QualityListId, ControlKind::DropButton, 140, 56, 160, 24, "", 0},
    {1611, ControlKind::Static, 20, 92, 110, 22, "Resolution", 0},
    {MVideoSettingDlg::ResolutionListId, ControlKind::DropButton, 140, 90, 160, 24, "", 0},
    {1612, ControlKind::Static, 20, 126, 110, 22, "Frame Rate", 0},
    {MVideoSettingDlg::FrameRateEditId, ControlKind::RealEdit, 140, 124, 80, 22, "", 0},
    {1613, ControlKind::Static, 20, 160, 110, 22, "Bit Rate(kbps)", 0},
    {MVideoSettingDlg::KbpsEditId, ControlKind::RealEdit, 140, 158, 80, 22, "", 0},
    {MVideoSettingDlg::VersionTextId, ControlKind::Static, 20, 198, 280, 22, "", 0},
    {UpdateGroupId, ControlKind::GroupBox, 10, 244, 300, 146, "Update", 0},
    {MVideoSettingDlg::PathEditId, ControlKind::Edit, 20, 268, 200, 24, "", 0},
    {MVideoSettingDlg::BrowseButtonId, ControlKind::ImageButton, 230, 266, 70, 28, "Browse", 0},
    {MVideoSettingDlg::UpdateButtonId, ControlKind::ImageButton, 230, 302, 70, 28, "Update", 0},
    {MVideoSettingDlg::ProgressSliderId, ControlKind::Slider, 20, 340, 280, 18, "", 0},
    {MVideoSettingDlg::ProgressTextId, ControlKind::Static, 20, 362, 280, 22, "", ControlHidden},
};

wxString Utf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

MVideoSettingDlg::MVideoSettingDlg() : MBaseDialog(IDD, true) {}

MVideoSettingDlg::~MVideoSettingDlg() {
  // The worker reports through this page: stop it before the page's windows go.
  Uploader.Cancel();
  Uploader.Join();
}

void MVideoSettingDlg::OnInitDialog() {
  if (Built || !GetHandle()) return;
  Built = true;
  BuildPageControls(*this, PageControls);
  SetChildFonts();
  for (CSxGroupBox* box : AllGroupBoxes()) {
    box->TextColour = GroupText;
    box->FrameColour = box->FrameColour2 = GroupBack;
  }
  ResolutionList = FindKitControl<CDropButton>(this, ResolutionListId);
  QualityList = FindKitControl<CDropButton>(this, QualityListId);
  FrameRateEdit = FindKitControl<oRealEdit>(this, FrameRateEditId);
  KbpsEdit = FindKitControl<oRealEdit>(this, KbpsEditId);
  PathEdit = FindKitControl<CMyEdit>(this, PathEditId);
  Progress = FindKitControl<oBitmapSlider>(this, ProgressSliderId);
  ProgressText = FindKitControl<SkinStatic>(this, ProgressTextId);
  VersionText = FindKitControl<SkinStatic>(this, VersionTextId);
  if (Progress) {
    Progress->SetBitmapChannel(ProgressChannelImage, ProgressActiveImage);
    Progress->SetRange(0, 100);
    Progress->SetPos(0);
  }
  for (int id : {BrowseButtonId, UpdateButtonId})
    if (auto* button = FindKitControl<CGdipButton>(this, id)) {
      button->LoadStdImage(ButtonImage);
      button->SetTextColour(PageTextOnLightFace);
      button->SetFont(ControlFont);
    }
  if (FrameRateEdit)
    FrameRateEdit->SetRange(true, EncoderFrameRateMin, EncoderFrameRateMax, "%d", EncoderFrameRateStart);
  if (KbpsEdit) KbpsEdit->SetRange(true, EncoderKbpsMin, EncoderKbpsMax, "%d", EncoderKbpsStart);
  InitDropLists();

  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  OnClicked(BrowseButtonId, [this] { OnBnClickedBrowse(); });
  OnClicked(UpdateButtonId, [this] { StartUpload(); });
  ShowModel();
}

void MVideoSettingDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = Utf8(UiStrings[134]);
  SetControlText(UpdateGroupId, Utf8(UiStrings[144]));
  if (Built) InitDropLists();
  Refresh();
}

void MVideoSettingDlg::InitDropLists() {
  if (QualityList && QualityList->GetList()) {
    CDropList* list = QualityList->GetList();
    list->ResetContent();
    list->SetBkColor(ListBack);
    for (size_t i = 0; i < EncoderQualityPresets.size(); ++i) {
      const int item = list->AddString(Utf8(UiStrings[static_cast<size_t>(EncoderQualityPresets[i].UiString)]));
      list->SetItemData(item, static_cast<long>(i));
    }
  }
  if (ResolutionList && ResolutionList->GetList()) {
    CDropList* list = ResolutionList->GetList();
    list->ResetContent();
    list->SetBkColor(ListBack);
    for (const PreviewResolution& r : PreviewResolutions) {
      const int item = list->AddString(wxString(r.Text.data(), r.Text.size()));
      list->SetItemData(item, r.Code);
    }
  }
  ShowModel();
}

// The controls follow the model.
void MVideoSettingDlg::ShowModel() {
  if (QualityList) QualityList->SetCurSel(Model.QualityItem);
  if (ResolutionList) DropListSelectByData(ResolutionList, PreviewResolutions[Model.ResolutionItem].Code);
  if (FrameRateEdit) FrameRateEdit->SetValue(static_cast<float>(Model.FrameRate));
  if (KbpsEdit) KbpsEdit->SetValue(static_cast<float>(Model.Kbps));
  if (VersionText) VersionText->SetLabel(Utf8(Model.VersionText));
  if (Progress && Progress->GetPos() != Model.ProgressPosition) {
    Progress->SetPos(Model.ProgressPosition);
    Progress->Refresh();
  }
  if (ProgressText) {
    ProgressText->SetLabel(Utf8(Model.ProgressText));
    ProgressText->Show(Model.ProgressTextShown);
  }
}

void MVideoSettingDlg::PostPreviewResolution(uint8_t code) {
  if (wxWindow* owner = OwnerWindow()) PostMsg(owner, MPageEvent, EvPreviewResolution, code);
}

void MVideoSettingDlg::OnDropListSelChanged(int listId, int item) {
  // The edits hold what the operator typed; the model sends with what they hold now.
  if (FrameRateEdit) Model.FrameRate = static_cast<int>(FrameRateEdit->Value());
  if (KbpsEdit) Model.Kbps = static_cast<int>(KbpsEdit->Value());
  std::optional<uint8_t> code;
  if (listId == ResolutionListId) {
    if (!ResolutionList || !ResolutionList->GetList() || item < 0 || item >= ResolutionList->GetList()->GetCount())
      return;
    const auto resolution = PreviewResolutionItem(static_cast<uint8_t>(ResolutionList->GetList()->GetItemData(item)));
    if (resolution) code = Model.OnResolutionChosen(GetDeviceState(), *resolution);
  } else if (listId == QualityListId) {
    if (!QualityList || !QualityList->GetList() || item < 0 || item >= QualityList->GetList()->GetCount()) return;
    code = Model.OnQualityChosen(GetDeviceState(), static_cast<int>(QualityList->GetList()->GetItemData(item)));
  }
  if (code) PostPreviewResolution(*code);
}

void MVideoSettingDlg::OnEditValueChanged(int controlId) {
  if (controlId != FrameRateEditId && controlId != KbpsEditId) return;
  if (FrameRateEdit) Model.FrameRate = static_cast<int>(FrameRateEdit->Value());
  if (KbpsEdit) Model.Kbps = static_cast<int>(KbpsEdit->Value());
  Model.OnEditCommitted(GetDeviceState());
}

void MVideoSettingDlg::UpdateFromDevice() {
  if (const auto code = Model.UpdateFromDevice(GetDeviceState().EncoderReply)) PostPreviewResolution(*code);
  ShowModel();
}

std::string MVideoSettingDlg::GetPackagePath() const {
  return PathEdit ? std::string(PathEdit->GetValue().utf8_str()) : std::string();
}

bool MVideoSettingDlg::ChoosePackage(const std::string& path) {
  if (!IsEncoderPackagePath(path) || !PathEdit) return false;
  PathEdit->SetValue(Utf8(path));
  return true;
}

void MVideoSettingDlg::OnBnClickedBrowse() {
  wxFileDialog dialog(this, wxString(), wxString(), wxString(), "All Filter(*.*)|*", wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  ChoosePackage(std::string(dialog.GetPath().utf8_str()));
}

void MVideoSettingDlg::SetProgress(int percent) {
  if (percent == -1) FailureShownThisRun = true;
  Model.SetProgress(percent);
  ShowModel();
}

bool MVideoSettingDlg::StartUpload() {
  EncoderUploadRequest request;
  request.EncoderIp = GetEncoderIp();
  request.PackagePath = GetPackagePath();
  const int run = UploadRun + 1;
  // The worker's reports come back to the UI thread; those of an earlier run are dropped.
  auto progress = [this, run](int percent) {
    CallAfter([this, run, percent] {
      if (run == UploadRun) SetProgress(percent);
    });
  };
  auto finished = [this, run](EncoderUploadResult result) {
    CallAfter([this, run, result] {
      // A package that cannot be read or announced would otherwise end with no word at all.
      if (run == UploadRun && result != EncoderUploadResult::Success && result != EncoderUploadResult::Cancelled &&
          !FailureShownThisRun)
        SetProgress(-1);
    });
  };
  if (!Uploader.Start(std::move(request), std::move(progress), std::move(finished))) return false;
  UploadRun = run;
  FailureShownThisRun = false;
  return true;
}
