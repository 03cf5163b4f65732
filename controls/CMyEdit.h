#pragma once
// A plain text edit in the skin that reports to its parent: Enter or Esc (eaten) and focus loss
// post MEditKeyDown (13 or 27, control id) — focus loss reads as Enter — and every typed
// character posts MEditChar (character, 0).
#include "controls/SkinEdit.h"

class CMyEdit : public SkinEdit {
public:
    CMyEdit(wxWindow* parent, int id, const wxRect& rect, long style = 0);
};
