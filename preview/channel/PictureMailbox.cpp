#include "preview/channel/PictureMailbox.h"

#include <cstring>
#include <utility>

bool OwnedPicture::Assign(const H264Picture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0) return false;
    const int widths[3] = {picture.Width, H264Picture::ChromaWidth(picture.Width),
                           H264Picture::ChromaWidth(picture.Width)};
    const int rows[3] = {picture.Height, H264Picture::ChromaHeight(picture.Height),
                         H264Picture::ChromaHeight(picture.Height)};
    for (int plane = 0; plane < 3; ++plane) {
        if (!picture.Planes[plane] || picture.Strides[plane] < widths[plane]) return false;
    }
    for (int plane = 0; plane < 3; ++plane) {
        auto& bytes = Planes[plane];
        bytes.resize(static_cast<size_t>(widths[plane]) * rows[plane]);
        for (int row = 0; row < rows[plane]; ++row)
            std::memcpy(bytes.data() + static_cast<size_t>(row) * widths[plane],
                        picture.Planes[plane] + static_cast<size_t>(row) * picture.Strides[plane],
                        static_cast<size_t>(widths[plane]));
    }
    Width = picture.Width;
    Height = picture.Height;
    return true;
}

void OwnedPicture::Clear() {
    Width = Height = 0;
    for (auto& plane : Planes) plane.clear();
}

H264Picture OwnedPicture::View() const {
    H264Picture picture;
    if (Empty()) return picture;
    picture.Width = Width;
    picture.Height = Height;
    for (int plane = 0; plane < 3; ++plane) {
        picture.Planes[plane] = Planes[plane].data();
        picture.Strides[plane] = plane ? H264Picture::ChromaWidth(Width) : Width;
    }
    return picture;
}

bool PictureMailbox::Put(const H264Picture& picture) {
    std::lock_guard lock(Mutex);
    if (!Waiting.Assign(picture)) return false;
    const bool wasEmpty = !Full;
    if (Full) ++ReplacedCount;
    Full = true;
    return wasEmpty;
}

bool PictureMailbox::Take(OwnedPicture& into) {
    std::lock_guard lock(Mutex);
    if (!Full) return false;
    std::swap(into, Waiting);
    Full = false;
    return true;
}

uint64_t PictureMailbox::Replaced() const {
    std::lock_guard lock(Mutex);
    return ReplacedCount;
}
