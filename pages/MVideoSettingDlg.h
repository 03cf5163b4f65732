#pragma once
// The preview encoder settings page (floats over the working area): quality preset, preview
// resolution, frame rate and bit rate of the device's preview encoder, the encoder's version,
// and the upload of a new encoder package with its progress. What it shows and sends lives in
// VideoSettingModel; this page is its windows.
#include "controls/MBaseDialog.h"
#include "preview/settings/VideoSettingModel.h"
#include "preview/upload/EncoderPackageUploader.h"

#include <cstdint>
#include <string>

class CDropButton;
class CMyEdit;
class SkinStatic;
class oBitmapSlider;
class oRealEdit;

class MVideoSettingDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 1533;
  static constexpr int ResolutionListId = 65397;
  static constexpr int QualityListId = 65398;
  static constexpr int FrameRateEditId = 1565;
  static constexpr int KbpsEditId = 1566;
  static constexpr int PathEditId = 1555;
  static constexpr int BrowseButtonId = 1556;
  static constexpr int UpdateButtonId = 1552;
  static constexpr int ProgressSliderId = 1553;
  static constexpr int ProgressTextId = 1570;
  static constexpr int VersionTextId = 1571;

  MVideoSettingDlg();
  ~MVideoSettingDlg() override;

  // Builds the controls (once); the main dialog calls it after Create.
  void OnInitDialog();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();

  std::string GetEncoderIp() const { return Model.EncoderIp; }
  std::string GetPackagePath() const;
  // Upload progress on the UI thread: -1 failure, else 0..100.
  void SetProgress(int percent);

  // The operator's choices, as the drop lists and edits report them (also for tests).
  void OnDropListSelChanged(int listId, int item);
  void OnEditValueChanged(int controlId);
  // Sets the package path as a chosen file would: only the package's own name is taken.
  bool ChoosePackage(const std::string& path);
  // Starts the upload with the address and path as they are now; false while one runs.
  bool StartUpload();
  bool IsUploading() const { return Uploader.IsRunning(); }

  const VideoSettingModel& Settings() const { return Model; }

 private:
  void InitDropLists();
  void ShowModel();
  void PostPreviewResolution(uint8_t code);
  void OnBnClickedBrowse();

  VideoSettingModel Model;
  EncoderPackageUploader Uploader;
  int UploadRun = 0;             // which upload the worker's reports belong to
  bool FailureShownThisRun = false;
  bool Built = false;
  CDropButton* ResolutionList = nullptr;
  CDropButton* QualityList = nullptr;
  oRealEdit* FrameRateEdit = nullptr;
  oRealEdit* KbpsEdit = nullptr;
  CMyEdit* PathEdit = nullptr;
  oBitmapSlider* Progress = nullptr;
  SkinStatic* ProgressText = nullptr;
  SkinStatic* VersionText = nullptr;
};
