#pragma once
// A page as the language pass sees it: its child windows in window order, then its group boxes
// (drawn by the page, but named by control id in the language files like any control).
#include <vector>

#include "app/DialogLanguage.h"

class MBaseDialog;
class CSxGroupBox;
class wxWindow;

class PageLanguageDialog : public LanguageDialog {
public:
    explicit PageLanguageDialog(MBaseDialog& page);

    void SetCaption(const std::string& text) override;
    size_t ChildCount() const override;
    int ChildControlId(size_t child) const override;
    bool ChildIsEdit(size_t child) const override;
    bool ChildIsVisible(size_t child) const override;
    void ShowChild(size_t child, bool show) override;
    void SetChildText(size_t child, const std::string& text) override;

private:
    MBaseDialog& Page;
    std::vector<wxWindow*> Windows;
    std::vector<CSxGroupBox*> Boxes;
};

// Caption and control texts of the page from the active language file.
void ApplyLanguageToPage(MBaseDialog& page);

// The caption each page is built with, by template id (Id = template id); a pop-up page's
// window carries it as its title. The language files replace it as "IDD<template id>_Title".
const std::vector<ControlText>& PageCaptions();
// The built caption of a page; "" when it has none.
const char* PageCaption(int templateId);
