#pragma once
#include <wx/app.h>

#include <memory>

class wxDialog;
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

    wxDialog* m_mainDialog = nullptr;
};

wxDECLARE_APP(VelkanApp);
