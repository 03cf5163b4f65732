#pragma once
// The texts the main window's own controls are built with, by control id. The language files
// replace them by the same ids ("IDS_<id>"); this table is what the English file mirrors.
#include <vector>

#include "app/DialogLanguage.h"

inline constexpr int MainDialogTemplateId = 102;

const std::vector<ControlText>& MainDialogTexts();
// The built text of a main-window control; "" when the table has none.
const char* MainDialogText(int id);

// Buttons whose tooltip is a UiStrings entry, set again on every language change (the status
// indicators set their own).
struct ControlTooltip {
    int Id;
    int UiString;
};
inline constexpr ControlTooltip MainDialogTooltips[] = {
    {1564, 137}, // video window
};
