#pragma once
// What the settings pages tell the operator and the main dialog: the busy box (sent at once; the
// text lives only for the call), message boxes and OK/Cancel questions. Boxes and questions go
// through one hook so that window tests see the text instead of a modal box waiting for a click.
#include <functional>
#include <string>

#include <wx/window.h>

class MBaseDialog;

// Shows (text) or withdraws the main dialog's busy box.
void SendBusyBox(MBaseDialog& page, bool show, const std::string& text = std::string());

// A message box with an OK button; an empty caption leaves the program's title.
void ShowOperatorMessage(wxWindow* parent, const std::string& text, const std::string& caption = std::string());
// An OK/Cancel question; true for OK.
bool AskOperator(wxWindow* parent, const std::string& text, const std::string& caption);

// Replaces the boxes (null: the real ones again). A question's answer is the hook's result.
using OperatorNoticeHook = std::function<bool(const std::string& text, const std::string& caption)>;
void SetOperatorNoticeHook(OperatorNoticeHook hook);
