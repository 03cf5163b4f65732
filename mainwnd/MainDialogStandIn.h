#pragma once
#include <wx/dialog.h>

// A plain window in place of the main dialog until that dialog exists, so the program starts,
// shows a window and closes like the real thing.
class MainDialogStandIn : public wxDialog {
public:
    MainDialogStandIn();
};
