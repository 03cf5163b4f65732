#include "app/AppStartup.h"

#include "app/AppGlobals.h"
#include "app/Language.h"
#include "platform/os/AppDirectory.h"

void InitSettingsAndLanguage() {
    InfoIniPath = GetSettingsDirectory() + "Info.ini";
    InitLanguage(GetDefaultLanguageName());
}
