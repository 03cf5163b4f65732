#include "mainwnd/VelkanApp.h"

#include "app/AppGlobals.h"
#include "app/AppStartup.h"
#include "app/CommLink.h"
#include "app/Language.h"
#include "app/TextEncoding.h"
#include "app/UiStrings.h"
#include "app/comm_link_real/RealCommLink.h"
#include "controls/OperatorNotices.h"
#include "mainwnd/VelkanDlg.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/StopSignalWatcher.h"
#include "platform/ui/ShownTexts.h"
#include "preview/video/SdlVideoStart.h"

#include <wx/dialog.h>

#include <cstdio>
#include <wx/image.h>

wxIMPLEMENT_APP(VelkanApp);

namespace {
// The core reaches the processor through the device-communication library; a build without
// that library runs with no link, and every command then reports failure.
void InstallCommLink() {
#ifdef VELKAN_HAVE_COMM_LIBRARY
    static RealCommLink link;
    SetCommLink(&link);
#endif
}
} // namespace

// Made before wx starts GTK, which is when the choice must be made.
VelkanApp::VelkanApp() { ChooseDrawingWithoutGl(); }
VelkanApp::~VelkanApp() = default;

bool VelkanApp::OnInit() {
    // The base class is not asked to parse the command line: the program ignores it.
    wxInitAllImageHandlers(); // PNG and GIF skin images
    InstallCommLink();
    const SettingsDirectoryReport settings = PrepareSettingsDirectory();
    InfoIniPath = GetSettingsDirectory() + "Info.ini";
    InitStartLanguage();
    if (settings.PerUser && settings.CreatedNow) {
        // In the language just chosen, like every text the program shows.
        m_settingsFolderNotice = LanguageText("XIDS_ProgramFolderNotWritable") + " " + GetAppDirectory() + "\n" +
                                 LanguageText("XIDS_SettingsKeptIn") + " " + settings.Folder;
        std::fprintf(stderr, "velkan: %s\n", m_settingsFolderNotice.c_str());
    }
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
        if (!m_settingsFolderNotice.empty()) dialog.CallAfter([this, &dialog] { TellPerUserSettingsFolder(&dialog); });
        dialog.ShowModal();
        // Replies still queued find no main dialog and do nothing.
        TheMainDialog = nullptr;
        m_mainDialog = nullptr;
        SetTopWindow(nullptr);
    }
    SetCommLink(nullptr);
    return 0;
}

void VelkanApp::TellPerUserSettingsFolder(wxWindow* parent) const {
    RecordShownTexts("notice", SplitTextLines(m_settingsFolderNotice));
    ShowOperatorMessage(parent, m_settingsFolderNotice, UiStrings[38]);
}

void VelkanApp::CloseMainDialog() {
    if (m_mainDialog) m_mainDialog->Close();
}

// Nothing of the program's own is left to shut down here: the image handlers belong to the
// framework, and the main dialog has closed the link.
int VelkanApp::OnExit() { return wxApp::OnExit(); }
