#pragma once
// Off-screen drawing over a rectangle of a target DC, copied back when it goes out of scope, so
// painting never flickers. Every window shares one back buffer (grown to the largest rectangle
// asked for); a nested use draws into a buffer of its own.
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

class CMemuDC : public wxMemoryDC {
public:
    // `rect` is in the target's coordinates and so are the drawing calls made on this DC.
    CMemuDC(wxDC& target, const wxRect& rect, bool copyBackground = false);
    ~CMemuDC() override;
    CMemuDC(const CMemuDC&) = delete;
    CMemuDC& operator=(const CMemuDC&) = delete;

    // Size of the shared buffer (for checks): it never shrinks.
    static wxSize SharedBufferSize();

private:
    wxDC& Target;
    wxRect Rect;
    wxBitmap Own;
    bool UsesShared = false;
};
