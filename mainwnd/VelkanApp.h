#pragma once
#include <wx/app.h>

#include <memory>
#include <string>

class wxDialog;
class wxWindow;
class StopSignalWatcher;

// The application object: prepares the program (image decoders, Info.ini path, language,
// icon), then runs the main dialog modally; when that dialog ends, the program ends.
class VelkanApp : public wxApp {
public:
    VelkanApp();
    ~VelkanApp() override;

    bool OnInit() override; // everything up to the main dialog
    int OnRun() override;   // the main dialog, modally; its end is the program's end
    int OnExit() override;

private:
    void InitStartLanguage();
    void CloseMainDialog();
    // Tells the operator once, when the per-user folder is first used, where settings are kept.
    void TellPerUserSettingsFolder(wxWindow* parent) const;

    wxDialog* m_mainDialog = nullptr;
    std::string m_settingsFolderNotice; // empty: nothing to tell
};

wxDECLARE_APP(VelkanApp);
