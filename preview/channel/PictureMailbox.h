#pragma once
#include "platform/h264/H264Picture.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

// A picture owned by its holder: planes copied with rows packed to their width (strides equal to
// the plane widths), so it outlives the decoder's buffers and can cross to another thread.
class OwnedPicture {
public:
    // False (and unchanged) for a picture without planes or with strides shorter than a row.
    bool Assign(const H264Picture& picture);
    void Clear();
    bool Empty() const { return Width == 0; }
    H264Picture View() const;
    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }

private:
    int Width = 0;
    int Height = 0;
    std::array<std::vector<uint8_t>, 3> Planes;
};

// The newest picture, handed from a channel's display thread to the UI thread, which alone
// draws. The display thread puts each picture in (replacing one not yet taken); the UI thread
// takes it when told. Put says whether the slot was empty, i.e. whether the UI thread must be
// told, so a slow UI thread gets one wake-up per picture it can draw, not a queue of them.
class PictureMailbox {
public:
    bool Put(const H264Picture& picture);
    // Moves the waiting picture into `into` (swapping buffers for reuse); false when none waits.
    bool Take(OwnedPicture& into);
    uint64_t Replaced() const;

private:
    mutable std::mutex Mutex;
    OwnedPicture Waiting;
    bool Full = false;
    uint64_t ReplacedCount = 0;
};
