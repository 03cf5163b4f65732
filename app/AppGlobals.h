#pragma once
#include <string>

class MainDialogInterface;

// Full path of the active language file; empty until the language is chosen.
extern std::string ActiveLanguageFilePath;
// Full path of Info.ini in the program folder; empty until start-up sets it.
extern std::string InfoIniPath;
// The program's own version, as the system page and the About box show it.
inline constexpr char ProgramVersion[] = "1.27";
// Resource id of the main window's icon, set at start-up.
extern int MainIconId;
// The running main dialog as the core sees it; null whenever no main dialog exists, so a
// reply that arrives then does nothing.
extern MainDialogInterface* TheMainDialog;
