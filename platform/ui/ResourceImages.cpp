#include "platform/ui/ResourceImages.h"

#include <wx/log.h>
#include <wx/mstream.h>

void EnsureImageHandlers() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_GIF))
        wxImage::AddHandler(new wxGIFHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP))
        wxImage::AddHandler(new wxBMPHandler);
}

wxImage LoadImageResource(ResourceType type, int id) {
    auto bytes = FindResourceData(type, id);
    if (bytes.empty())
        return {};
    EnsureImageHandlers();
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxImage image;
    wxLogNull quiet;   // an undecodable resource is reported by the invalid image, not a dialog
    image.LoadFile(stream, wxBITMAP_TYPE_ANY);
    return image;
}

wxIconBundle LoadIconResource(int id) {
    wxIconBundle icons;
    const wxImage image = LoadImageResource(ResourceType::Icon, id);
    if (!image.IsOk())
        return icons;
    for (int size : {16, 32, 48}) {
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image.Scale(size, size, wxIMAGE_QUALITY_HIGH)));
        icons.AddIcon(icon);
    }
    return icons;
}
