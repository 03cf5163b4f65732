#pragma once
// Every picture resource the windows name, by type and id. The build embeds res/images; a test
// checks that each of these is there and decodes.
#include <array>

#include "platform/ui/Resources.h"

struct SkinImageId {
    ResourceType Type;
    int Id;
};

inline constexpr std::array SkinImageIds = {
    // Page base: background, close, maximise / restore; busy animation; slider pictures.
    SkinImageId{ResourceType::Bitmap, 106}, SkinImageId{ResourceType::Png, 107},
    SkinImageId{ResourceType::Png, 1561}, SkinImageId{ResourceType::Png, 1562},
    SkinImageId{ResourceType::Gif, 171},
    // The main icon (the main window and the busy box).
    SkinImageId{ResourceType::Icon, 103},
    SkinImageId{ResourceType::Png, 159}, SkinImageId{ResourceType::Png, 163}, SkinImageId{ResourceType::Png, 161},
    SkinImageId{ResourceType::Bitmap, 168}, SkinImageId{ResourceType::Png, 1550}, SkinImageId{ResourceType::Png, 1551},
    // Button faces (normal / chosen).
    SkinImageId{ResourceType::Png, 113}, SkinImageId{ResourceType::Png, 114},
    SkinImageId{ResourceType::Png, 115}, SkinImageId{ResourceType::Png, 116},
    SkinImageId{ResourceType::Png, 128}, SkinImageId{ResourceType::Png, 130},
    SkinImageId{ResourceType::Png, 129}, SkinImageId{ResourceType::Png, 147},
    SkinImageId{ResourceType::Png, 131}, SkinImageId{ResourceType::Png, 132},
    SkinImageId{ResourceType::Png, 172}, SkinImageId{ResourceType::Png, 173},
    SkinImageId{ResourceType::Png, 144}, SkinImageId{ResourceType::Png, 148},
    SkinImageId{ResourceType::Png, 145}, SkinImageId{ResourceType::Png, 146},
    SkinImageId{ResourceType::Png, 169}, SkinImageId{ResourceType::Png, 174}, SkinImageId{ResourceType::Png, 175},
    SkinImageId{ResourceType::Png, 180},
    // Indicators and icons.
    SkinImageId{ResourceType::Png, 1485}, SkinImageId{ResourceType::Png, 1486}, SkinImageId{ResourceType::Png, 1487},
    SkinImageId{ResourceType::Png, 1560}, SkinImageId{ResourceType::Png, 155}, SkinImageId{ResourceType::Png, 157},
    SkinImageId{ResourceType::Png, 181}, SkinImageId{ResourceType::Png, 1488},
    // Input icons (normal / highlighted): DVI, HDMI, DP, SDI, VGA, UDISK.
    SkinImageId{ResourceType::Png, 137}, SkinImageId{ResourceType::Png, 138},
    SkinImageId{ResourceType::Png, 139}, SkinImageId{ResourceType::Png, 140},
    SkinImageId{ResourceType::Png, 135}, SkinImageId{ResourceType::Png, 136},
    SkinImageId{ResourceType::Png, 141}, SkinImageId{ResourceType::Png, 143},
    SkinImageId{ResourceType::Png, 151}, SkinImageId{ResourceType::Png, 153},
    SkinImageId{ResourceType::Png, 1585}, SkinImageId{ResourceType::Png, 1584},
    // Pictures: rotation, mosaic arrangements and marks, caption backdrops.
    SkinImageId{ResourceType::Png, 121},
    SkinImageId{ResourceType::Png, 122}, SkinImageId{ResourceType::Png, 123}, SkinImageId{ResourceType::Png, 124},
    SkinImageId{ResourceType::Png, 125}, SkinImageId{ResourceType::Png, 126}, SkinImageId{ResourceType::Png, 186},
    SkinImageId{ResourceType::Png, 1503}, SkinImageId{ResourceType::Png, 1504},
    SkinImageId{ResourceType::Png, 1511}, SkinImageId{ResourceType::Png, 1512},
    SkinImageId{ResourceType::Bitmap, 1531}, SkinImageId{ResourceType::Bitmap, 1532},
};
