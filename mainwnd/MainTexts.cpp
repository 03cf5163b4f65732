#include "mainwnd/MainTexts.h"

#include "mainwnd/PageSwitcher.h"

namespace {
constexpr ControlText OwnTexts[] = {
    {1223, "1"},       {1224, "2"},         {1225, "3"},           {1226, "4"},      {1227, "5"},
    {1228, "6"},       {1229, "7"},         {1230, "8"},           {1231, "9"},      {1232, "10"},
    {1237, "Presets"}, {1238, "Templates"}, {1246, "Load"},        {1236, "Save"},   {1247, "MAIN"},
    {1248, "PIP-1"},   {1249, "PIP-2"},     {1250, "PIP-3"},       {1466, "MAIN"},   {1467, "PIP-1"},
    {1468, "PIP-2"},   {1469, "PIP-3"},     {1446, "TOP-M"},       {1447, "TOP-1"},  {1448, "TOP-2"},
    {1449, "TOP-3"},   {1451, "TAKE"},      {1472, "Lock Output"}, {1601, "Freeze"},   {1573, "Signal Switch"},
    {1255, "Loop Out"},
};
} // namespace

const std::vector<ControlText>& MainDialogTexts() {
    static const std::vector<ControlText> texts = [] {
        std::vector<ControlText> all;
        for (const PageButtonInfo& page : PageButtons)
            all.push_back({page.ControlId, page.Caption});
        all.insert(all.end(), std::begin(OwnTexts), std::end(OwnTexts));
        return all;
    }();
    return texts;
}

const char* MainDialogText(int id) {
    for (const ControlText& text : MainDialogTexts())
        if (text.Id == id) return text.Text;
    return "";
}
