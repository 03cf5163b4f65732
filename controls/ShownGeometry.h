#pragma once
// Where every shown window, control, frame, open drop-down list and video view lies on the screen, and how much room
// each caption needs, written to the file named by VELKAN_GEOMETRY so that window tests can tell
// a control no operator can see or read. Without that variable nothing is recorded.
#include <vector>

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxWindow;

// A frame drawn by a window rather than being a child window (group boxes, 3-D frames); the
// title rectangle is empty for a frame without a title. Client coordinates of the window.
struct DrawnFrame {
    wxRect Frame;
    wxRect Title;
    wxString Text;
};

// A window that draws frames round its controls says where they are.
class DrawnFrameSource {
public:
    virtual ~DrawnFrameSource() = default;
    virtual std::vector<DrawnFrame> ShownFrames() const = 0;
};

// Starts recording (every half second, written only when something changed) when VELKAN_GEOMETRY
// names a file; `anchor` is the window whose timer drives it.
void StartShownGeometry(wxWindow* anchor);
