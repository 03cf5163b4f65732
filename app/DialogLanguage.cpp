#include "app/DialogLanguage.h"

#include "app/AppGlobals.h"
#include "app/ProfileIni.h"

namespace {
constexpr size_t LanguageTextCapacity = 1000;

std::string Lookup(const ProfileIni& file, const std::string& key) {
    const auto value = file.Find("String", key);
    return value ? TruncateUtf8(*value, LanguageTextCapacity - 1) : std::string();
}
} // namespace

void ApplyLanguageToDialog(LanguageDialog& dialog, int templateId) {
    ProfileIni file;
    file.Load(ActiveLanguageFilePath);
    if (const std::string caption = Lookup(file, std::string("IDD").append(std::to_string(templateId)).append("_Title")); !caption.empty())
        dialog.SetCaption(caption);
    for (size_t child = 0; child < dialog.ChildCount(); ++child) {
        const std::string text = Lookup(file, std::string("IDS_").append(std::to_string(dialog.ChildControlId(child))));
        if (text.empty() || dialog.ChildIsEdit(child)) continue;
        if (dialog.ChildIsVisible(child)) {
            dialog.ShowChild(child, false);
            dialog.SetChildText(child, text);
            dialog.ShowChild(child, true);
        } else {
            dialog.SetChildText(child, text);
        }
    }
}
