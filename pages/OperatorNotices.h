#pragma once
// What the EDID, keyer, schedule, media-player and caption pages tell the operator and the main
// dialog: the busy box (sent at once; the text lives only for the call) and message boxes. Message
// boxes and questions go through a hook so that window tests see the text instead of a modal box.
#include <functional>
#include <string>

#include <wx/gdicmn.h>
#include <wx/window.h>

class CDropButton;
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

// A drop list in the pages' colours (background 0x2E2E2E, selection 0x50FFFF), notifying `notifyId`.
CDropButton* MakeDarkDropList(MBaseDialog* page, int notifyId, const wxRect& rect);
