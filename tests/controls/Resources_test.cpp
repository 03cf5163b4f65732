#include <gtest/gtest.h>

#include <set>

#include <wx/gifdecod.h>
#include <wx/mstream.h>

#include "controls/SkinImageIds.h"
#include "platform/ui/ResourceImages.h"

TEST(Resources, EveryPictureTheWindowsNameIsEmbeddedAndDecodes) {
    for (const SkinImageId& id : SkinImageIds) {
        ASSERT_FALSE(FindResourceData(id.Type, id.Id).empty()) << "resource " << id.Id << " is missing";
        const wxImage image = LoadImageResource(id.Type, id.Id);
        EXPECT_TRUE(image.IsOk()) << "resource " << id.Id << " does not decode";
    }
}

TEST(Resources, NoEmbeddedPictureIsUnnamedAndNoneTwice) {
    std::set<std::pair<int, int>> named, seen;
    for (const SkinImageId& id : SkinImageIds)
        named.insert({static_cast<int>(id.Type), id.Id});
    for (const ResourceEntry& entry : AllResources()) {
        EXPECT_TRUE(seen.insert({static_cast<int>(entry.Type), entry.Id}).second) << entry.Id;
        EXPECT_TRUE(named.count({static_cast<int>(entry.Type), entry.Id})) << "unnamed resource " << entry.Id;
        EXPECT_GT(entry.Size, 0u);
    }
    EXPECT_EQ(seen.size(), named.size());
}

TEST(Resources, CaptionButtonsAreTwentyFourPixelsSquare) {
    for (int id : {107, 1561, 1562}) {
        const wxImage image = LoadImageResource(ResourceType::Png, id);
        ASSERT_TRUE(image.IsOk());
        EXPECT_EQ(image.GetWidth(), 24);
        EXPECT_EQ(image.GetHeight(), 24);
        EXPECT_TRUE(image.HasAlpha());
    }
}

TEST(Resources, PageButtonFacesHaveTheirFixedSize) {
    const wxImage page = LoadImageResource(ResourceType::Png, 113);
    EXPECT_EQ(page.GetSize(), wxSize(75, 36));
    const wxImage tab = LoadImageResource(ResourceType::Png, 115);
    EXPECT_EQ(tab.GetSize(), wxSize(80, 33));
    const wxImage band = LoadImageResource(ResourceType::Png, 181);
    EXPECT_EQ(band.GetSize(), wxSize(150, 21));
    const wxImage mosaic = LoadImageResource(ResourceType::Png, 1503);
    EXPECT_EQ(mosaic.GetSize(), wxSize(64, 64));
}

TEST(Resources, BusyAnimationHasSeveralFramesOnTheBusyGrey) {
    auto bytes = FindResourceData(ResourceType::Gif, 171);
    ASSERT_FALSE(bytes.empty());
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxGIFDecoder decoder;
    ASSERT_EQ(decoder.LoadGIF(stream), wxGIF_OK);
    EXPECT_GE(decoder.GetFrameCount(), 2u);
    wxImage first;
    ASSERT_TRUE(decoder.ConvertToImage(0, &first));
    // The corner is the busy box's own grey 0x404040, so no other colour shows round the frames.
    EXPECT_EQ(first.GetRed(0, 0), 0x40);
    EXPECT_EQ(first.GetGreen(0, 0), 0x40);
    EXPECT_EQ(first.GetBlue(0, 0), 0x40);
    EXPECT_GE(decoder.GetDelay(0), 50);
}

TEST(Resources, UnknownIdIsEmptyNotACrash) {
    EXPECT_TRUE(FindResourceData(ResourceType::Png, 99999).empty());
    EXPECT_TRUE(FindResourceData(ResourceType::Gif, 107).empty());   // 107 is a PNG, not a GIF
    EXPECT_FALSE(LoadImageResource(ResourceType::Png, 99999).IsOk());
}
