// Whole-record copies used when a reply or a project fills part of the state.
#include "app/DeviceState.h"

#include <cstring>

namespace {
template <typename Record> void CopyRecord(Record& target, const void* source) {
    if (source) std::memcpy(&target, source, sizeof(Record));
}
} // namespace

void StateBlock::Assign(const void* source) { CopyRecord(*this, source); }
void KeyerSettings::Assign(const void* source) { CopyRecord(*this, source); }
void ScheduleSettings::Assign(const void* source) { CopyRecord(*this, source); }
void LogoSettings::Assign(const void* source) { CopyRecord(*this, source); }
void ExtensionCardInfo::Assign(const void* source) { CopyRecord(*this, source); }
void SystemInfo::Assign(const void* source) { CopyRecord(*this, source); }
void CaptionSettings::Assign(const void* source) { CopyRecord(*this, source); }

void MosaicSettings::Assign(const void* source) {
    if (!source) return;
    const uint32_t aux = Aux; // only a full state may change it
    CopyRecord(*this, source);
    Aux = aux;
}

void CropRect::Assign(const void* source) {
    if (!source) return;
    CopyRecord(*this, source);
    // A rectangle reaching past the signal becomes the whole signal along that axis.
    if (HStart + Width > SourceWidth) {
        Width = SourceWidth;
        HStart = 0;
    }
    if (VStart + Height > SourceHeight) {
        Height = SourceHeight;
        VStart = 0;
    }
}
