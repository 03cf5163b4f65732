#pragma once
#include <cstddef>
#include <string>

// A control's text as its window is built with it; the language files replace it by the id.
struct ControlText {
    int Id;
    const char* Text;
};

// What the language pass needs of a dialog; the window layer implements it over its windows.
// Children are given in window order, each with the numeric control id that language files
// name it by.
class LanguageDialog {
public:
    virtual ~LanguageDialog() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual size_t ChildCount() const = 0;
    virtual int ChildControlId(size_t child) const = 0;
    virtual bool ChildIsEdit(size_t child) const = 0;
    virtual bool ChildIsVisible(size_t child) const = 0;
    virtual void ShowChild(size_t child, bool show) = 0;
    virtual void SetChildText(size_t child, const std::string& text) = 0;
};

// Gives the dialog the texts of the active language file: the caption from
// "IDD<templateId>_Title", every child that is not an edit control from "IDS_<control id>".
// Empty or missing values change nothing; "\n" stays as the two characters. A visible child
// is hidden while its text changes, so it repaints once; a hidden child stays hidden.
void ApplyLanguageToDialog(LanguageDialog& dialog, int templateId);
