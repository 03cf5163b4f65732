#include "preview/channel/MailboxView.h"
#include "preview/channel/PictureMailbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A picture of the given size whose every pixel says where it is: Y = (x + 3y) & 0xFF,
// U = x + 1, V = y + 1 (chroma coordinates), with strides padded past the rows.
struct PaddedPicture {
    std::vector<uint8_t> Y, U, V;
    H264Picture Picture;

    PaddedPicture(int width, int height, int pad = 16) {
        const int cw = H264Picture::ChromaWidth(width), ch = H264Picture::ChromaHeight(height);
        Picture.Width = width;
        Picture.Height = height;
        Picture.Strides[0] = width + pad;
        Picture.Strides[1] = Picture.Strides[2] = cw + pad;
        Y.assign(static_cast<size_t>(Picture.Strides[0]) * height, 0xEE);
        U.assign(static_cast<size_t>(Picture.Strides[1]) * ch, 0xEE);
        V.assign(static_cast<size_t>(Picture.Strides[2]) * ch, 0xEE);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) Y[y * Picture.Strides[0] + x] = static_cast<uint8_t>(x + 3 * y);
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                U[y * Picture.Strides[1] + x] = static_cast<uint8_t>(x + 1);
                V[y * Picture.Strides[2] + x] = static_cast<uint8_t>(y + 1);
            }
        Picture.Planes[0] = Y.data();
        Picture.Planes[1] = U.data();
        Picture.Planes[2] = V.data();
    }
};

} // namespace

TEST(OwnedPicture, PacksRowsToTheirWidthWithOddSizes) {
    PaddedPicture source(7, 5); // chroma 4 x 3
    OwnedPicture owned;
    ASSERT_TRUE(owned.Assign(source.Picture));
    const H264Picture p = owned.View();
    EXPECT_EQ(p.Width, 7);
    EXPECT_EQ(p.Height, 5);
    EXPECT_EQ(p.Strides[0], 7);
    EXPECT_EQ(p.Strides[1], 4);
    EXPECT_EQ(p.Strides[2], 4);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(p.Planes[0][y * 7 + x], static_cast<uint8_t>(x + 3 * y));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(p.Planes[1][y * 4 + x], x + 1);
            EXPECT_EQ(p.Planes[2][y * 4 + x], y + 1);
        }
}

TEST(OwnedPicture, RefusesPicturesItCannotCopySafely) {
    PaddedPicture good(8, 4);
    OwnedPicture owned;
    ASSERT_TRUE(owned.Assign(good.Picture));
    H264Picture bad = good.Picture;
    bad.Strides[1] = 3; // shorter than the chroma row of 4
    EXPECT_FALSE(owned.Assign(bad));
    bad = good.Picture;
    bad.Planes[2] = nullptr;
    EXPECT_FALSE(owned.Assign(bad));
    bad = good.Picture;
    bad.Height = 0;
    EXPECT_FALSE(owned.Assign(bad));
    EXPECT_EQ(owned.GetWidth(), 8); // the last good picture stays
    OwnedPicture empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.View().Planes[0], nullptr);
}

TEST(PictureMailbox, TheUiThreadIsToldOncePerWaitingPictureAndGetsTheNewest) {
    PictureMailbox mailbox;
    OwnedPicture taken;
    EXPECT_FALSE(mailbox.Take(taken));
    PaddedPicture first(4, 2), second(6, 4);
    EXPECT_TRUE(mailbox.Put(first.Picture));   // tell the UI thread
    EXPECT_FALSE(mailbox.Put(second.Picture)); // already told: replaces the waiting one
    EXPECT_EQ(mailbox.Replaced(), 1u);
    ASSERT_TRUE(mailbox.Take(taken));
    EXPECT_EQ(taken.GetWidth(), 6);
    EXPECT_FALSE(mailbox.Take(taken));
    EXPECT_EQ(taken.GetWidth(), 6);
    EXPECT_TRUE(mailbox.Put(first.Picture));
    H264Picture broken = first.Picture;
    broken.Planes[0] = nullptr;
    EXPECT_FALSE(mailbox.Put(broken)); // refused; the waiting picture is kept
    ASSERT_TRUE(mailbox.Take(taken));
    EXPECT_EQ(taken.GetWidth(), 4);
}

TEST(PictureMailbox, ADisplayThreadAndAUiThreadTogether) {
    PictureMailbox mailbox;
    std::atomic<bool> done{false};
    std::atomic<int> wakes{0};
    std::thread display([&] {
        PaddedPicture picture(64, 36);
        for (int i = 0; i < 2000; ++i) {
            picture.Y[0] = static_cast<uint8_t>(i);
            picture.Y[1] = static_cast<uint8_t>(i >> 8);
            if (mailbox.Put(picture.Picture)) ++wakes;
        }
        done = true;
    });
    OwnedPicture taken;
    int takes = 0;
    int last = -1;
    for (;;) {
        const bool finished = done.load();
        while (mailbox.Take(taken)) {
            ++takes;
            const int tag = taken.View().Planes[0][0] | taken.View().Planes[0][1] << 8;
            EXPECT_GT(tag, last); // newer each time, never the same picture twice
            last = tag;
            EXPECT_EQ(taken.GetWidth(), 64);
        }
        if (finished) break;
    }
    EXPECT_EQ(last, 1999); // the newest is never lost
    display.join();
    EXPECT_GT(takes, 0);
    EXPECT_LE(takes, wakes.load() + 1);
}

TEST(MailboxView, AChannelsPicturesReachTheUiThreadWithOneWakePerTake) {
    std::atomic<int> wakes{0};
    MailboxView view([&] { ++wakes; });
    PaddedPicture a(16, 8), b(16, 8);
    a.Y[0] = 1;
    b.Y[0] = 2;
    view.OnYuvFrame(a.Picture);
    view.OnYuvFrame(b.Picture); // the UI thread has not taken the first: no second wake
    EXPECT_EQ(wakes.load(), 1);
    OwnedPicture taken;
    ASSERT_TRUE(view.TakeLatest(taken));
    EXPECT_EQ(taken.View().Planes[0][0], 2);
    EXPECT_EQ(view.PicturesSkipped(), 1u);
    view.OnYuvFrame(a.Picture);
    EXPECT_EQ(wakes.load(), 2);
}
