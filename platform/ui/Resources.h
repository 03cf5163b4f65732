#pragma once
// Pictures carried inside the program, looked up by type and numeric id (the ids the windows
// name). The table is generated from res/images at build time.
#include <cstddef>
#include <cstdint>
#include <span>

enum class ResourceType { Png, Bitmap, Gif, Icon };

struct ResourceEntry {
    ResourceType Type;
    int Id;
    const unsigned char* Data;
    std::size_t Size;
};

// The bytes of a resource, or an empty span when the program carries none of that type and id.
std::span<const std::uint8_t> FindResourceData(ResourceType type, int id);
// Every embedded resource, for checks and listings.
std::span<const ResourceEntry> AllResources();
