#include "app/AppGlobals.h"
#include "app/CommLink.h"
#include "app/CommandEncoder.h"
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/MachineAtWork.h"
#include "app/MainDialogInterface.h"
#include "app/ReplySlot.h"

#include <cstring>

unsigned OperationsAnswering(int command, unsigned subCode) {
    constexpr auto op = [](unsigned n) { return 1u << n; };
    switch (command) {
    case CmdEdid: return op(0);
    case CmdVga: return op(1);
    case CmdTestPattern: return op(2);
    case CmdPreset:
    case CmdPixelGrab: return op(3);
    case CmdSwitcherMode:
    case CmdTake:
    case CmdSync: return op(4);
    case CmdWriteStateBlock: return op(5);
    case CmdFactoryReset: return op(6);
    case CmdMediaPlayerKey: return op(9);
    case CmdMosaic: return subCode <= 1 ? op(11) : 0; // a mode or an arrangement
    // An announced caption is accepted (12), then each of its chunks acknowledged (7).
    case CmdCaptionLayout: return subCode == 0 ? op(12) | op(7) : 0;
    case CmdCaption: return subCode == 1 ? op(8) : subCode == 5 ? op(10) : 0;
    // The logo names no operation of its own; a processor may confirm it as a pattern or a
    // switch is confirmed.
    case CmdLogo: return op(2) | op(4);
    default: return 0;
    }
}

unsigned RecordsConfirming(int command) {
    switch (command) {
    case CmdLogo: return 1u << ReplyLogo;
    default: return 0;
    }
}

namespace {

// The busy box learns what answers the work it waits for.
void NoteOperationSent(uint16_t command, const CommandArgs& args) {
    const unsigned operations = OperationsAnswering(command, args[1]);
    const unsigned records = RecordsConfirming(command);
    if (operations || records)
        if (MainDialogInterface* dialog = TheMainDialog) dialog->OperationSent(operations, records);
}

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
        NoteOperationSent(command, args);
        return link ? link->SendStateBlock(block.data(), *address) : CommandNoLink;
    }
    if (!EncodeCommandBlock(*this, command, args, CommandBlock)) {
        CommandBlock.fill(CommandBlockFill);
        return CommandRefused;
    }
    const int result = link ? link->SendCommand(command, CommandBlock.data(), *address) : CommandNoLink;
    ConsumeOneShotValues(*this, command, args);
    NoteOperationSent(command, args);
    return result;
}
