#pragma once
// What the settings pages tell the operator and the main dialog: the busy box (sent at once, the
// text lives only for the call) and message boxes. Message boxes go through a hook so that
// window tests see the text instead of a modal box that would wait for a click.
#include <functional>
#include <string>

#include <wx/window.h>

class MBaseDialog;

// Shows the main dialog's busy box with `text` (MShowBusy, wParam 1).
void SendShowBusy(MBaseDialog& page, const std::string& text);

// A message box over `parent` with an OK button.
void ShowPageMessage(wxWindow* parent, const std::string& text, const std::string& caption = std::string());

// Replaces the message box (null: the real one again). The hook sees text and caption.
using PageMessageHook = std::function<void(const std::string& text, const std::string& caption)>;
void SetPageMessageHook(PageMessageHook hook);
