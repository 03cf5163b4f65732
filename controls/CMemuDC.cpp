#include "controls/CMemuDC.h"

#include <algorithm>

namespace {
wxBitmap& SharedBuffer() {
    // Kept for the program's life (never destroyed after wx has shut down).
    static wxBitmap& buffer = *new wxBitmap;
    return buffer;
}
bool SharedInUse = false;
}  // namespace

wxSize CMemuDC::SharedBufferSize() {
    return SharedBuffer().IsOk() ? SharedBuffer().GetSize() : wxSize(0, 0);
}

CMemuDC::CMemuDC(wxDC& target, const wxRect& rect, bool copyBackground) : Target(target), Rect(rect) {
    if (Rect.width <= 0 || Rect.height <= 0)
        Rect.SetSize(wxSize(1, 1));
    wxBitmap* buffer = &Own;
    if (!SharedInUse) {
        wxBitmap& shared = SharedBuffer();
        if (!shared.IsOk() || shared.GetWidth() < Rect.width || shared.GetHeight() < Rect.height) {
            const int w = shared.IsOk() ? std::max(shared.GetWidth(), Rect.width) : Rect.width;
            const int h = shared.IsOk() ? std::max(shared.GetHeight(), Rect.height) : Rect.height;
            shared = wxBitmap(w, h, 24);
        }
        SharedInUse = UsesShared = true;
        buffer = &shared;
    } else {
        Own = wxBitmap(Rect.width, Rect.height, 24);
    }
    SelectObject(*buffer);
    if (copyBackground)
        Blit(0, 0, Rect.width, Rect.height, &Target, Rect.x, Rect.y);
    SetDeviceOrigin(-Rect.x, -Rect.y);
}

CMemuDC::~CMemuDC() {
    SetDeviceOrigin(0, 0);
    Target.Blit(Rect.x, Rect.y, Rect.width, Rect.height, this, 0, 0);
    SelectObject(wxNullBitmap);
    if (UsesShared)
        SharedInUse = false;
}
