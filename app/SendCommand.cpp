#include "app/CommLink.h"
#include "app/CommandEncoder.h"
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/MachineAtWork.h"

#include <cstring>

namespace {

// Values the device takes once: the next command of their kind carries them, then they fall back.
void ConsumeOneShotValues(DeviceState& s, uint16_t command, const CommandArgs& a) {
    switch (command) {
    case CmdPicture:
        s.ResetLayerPicture = 0;
        s.PictureCommandMode = 1;
        break;
    case CmdLayerWindow: s.LayerWindowExtra[a[0]].FullScreen = 0; break; // a[0] checked by the encoder
    case CmdQuery52:
    case CmdQuery54:
    case CmdQuery55:
    case CmdQuery56: s.LastQueryLayer = a[0]; break;
    default: break;
    }
}

} // namespace

int DeviceState::SendCommand(uint16_t command, const CommandArgs& args) {
    CommandBlock.fill(CommandBlockFill);
    // With no machine addressed nothing goes out, but the block is still encoded as for a send.
    const std::optional<uint8_t> address = CommandAddress();
    CommLink* link = address ? GetCommLink() : nullptr;
    if (command == CmdWriteStateBlock) {
        // The library gets its own copy of the block, not a view into the live state.
        std::array<uint8_t, StateBlockSize> block;
        std::memcpy(block.data(), Bytes(), StateBlockSize);
        return link ? link->SendStateBlock(block.data(), *address) : CommandNoLink;
    }
    if (!EncodeCommandBlock(*this, command, args, CommandBlock)) {
        CommandBlock.fill(CommandBlockFill);
        return CommandRefused;
    }
    const int result = link ? link->SendCommand(command, CommandBlock.data(), *address) : CommandNoLink;
    ConsumeOneShotValues(*this, command, args);
    return result;
}
