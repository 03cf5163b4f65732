#pragma once

// The settings part of start-up: Info.ini's path in the program folder, then the language the
// system's locale asks for (the language recorded in Info.ini does not choose it).
void InitSettingsAndLanguage();
