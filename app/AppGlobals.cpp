#include "app/AppGlobals.h"

std::string ActiveLanguageFilePath;
std::string InfoIniPath;
int MainIconId = 0;
MainDialogInterface* TheMainDialog = nullptr;
