#include "mainwnd/VelkanApp.h"

#include "app/AppGlobals.h"
#include "app/AppStartup.h"
#include "mainwnd/VelkanDlg.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/StopSignalWatcher.h"

#include <wx/dialog.h>
#include <wx/image.h>

wxIMPLEMENT_APP(VelkanApp);

VelkanApp::VelkanApp() = default;
VelkanApp::~VelkanApp() = default;

bool VelkanApp::OnInit() {
    // The base class is not asked to parse the command line: the program ignores it.
    wxInitAllImageHandlers(); // PNG and GIF skin images
    InfoIniPath = GetAppDirectory() + "Info.ini";
    InitStartLanguage();
    MainIconId = 103;
    // Common controls, the control container, the shell manager and the registry key are
    // services of the original window framework that nothing here needs.
    return true;
}

void VelkanApp::InitStartLanguage() {
    // The language follows the system's default language at every start, whatever Info.ini
    // recorded.
    InitSettingsAndLanguage();
}

int VelkanApp::OnRun() {
    {
        VelkanDlg dialog;
        m_mainDialog = &dialog;
        SetTopWindow(&dialog);
        TheMainDialog = &dialog;
        // SIGTERM and SIGINT close the dialog as its close button would, on the UI thread.
        StopSignalWatcher stopWatcher([this](int) { CallAfter(&VelkanApp::CloseMainDialog); });
        dialog.ShowModal();
        // Replies that are still queued find no main dialog and do nothing.
        TheMainDialog = nullptr;
        m_mainDialog = nullptr;
        SetTopWindow(nullptr);
    }
    return 0;
}

void VelkanApp::CloseMainDialog() {
    if (m_mainDialog) m_mainDialog->Close();
}

int VelkanApp::OnExit() { return wxApp::OnExit(); }
