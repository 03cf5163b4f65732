#include "platform/ui/Resources.h"

extern const ResourceEntry EmbeddedResources[];
extern const std::size_t EmbeddedResourceCount;

std::span<const ResourceEntry> AllResources() { return {EmbeddedResources, EmbeddedResourceCount}; }

std::span<const std::uint8_t> FindResourceData(ResourceType type, int id) {
    for (const ResourceEntry& entry : AllResources())
        if (entry.Type == type && entry.Id == id)
            return {entry.Data, entry.Size};
    return {};
}
