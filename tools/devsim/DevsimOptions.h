// Command line of the simulated processor.
#pragma once
#include "tools/devsim/EncoderPackageServer.h"
#include "tools/devsim/SimDevice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace devsim {

// Faults a device can be told to make on its TCP and serial links (counted per connection).
struct FaultSwitches {
    unsigned shortEvery = 0;   // every Nth reply is cut to half its proper length
    unsigned garbageEvery = 0; // garbage bytes go out before every Nth reply
    unsigned badCrcEvery = 0;  // every Nth reply carries a wrong CRC
    unsigned dropAfter = 0;    // the connection is closed after N frames have arrived on it
    bool silent = false;       // PING is never answered
    bool stall = false;        // nothing is ever read from a connection
};

struct Options {
    std::vector<std::string> devices; // IPv4 addresses, id = last octet
    std::string serialPath;
    int serialBaud = 115200;
    uint8_t serialId = 1;
    std::string stateFile;
    std::string logFile;
    FaultSwitches faults;
    bool exitWithParent = false; // end with the process that started it
    std::string previewStream;   // H.264 file streamed while the preview is on; empty: preview off
    EncoderFault encoderFault = EncoderFault::None;
    std::string encoderLog;      // what the encoder package servers saw
    bool vgaCard = false;        // a VGA card in option slot 7, on MAIN
    std::string extCard;         // "none", "hdmi" or "dp": the extension card; empty keeps the state's
    NeutralAnswers neutralAnswers = NeutralAnswers::Standard;
    bool presetsStored = false; // every preset slot starts stored (SimDevice::StorePresets)
    int presetLeftEmpty = -1;   // with presetsStored, this slot (0..9) stays empty
    // When and in which order a device reports its operations (the device's choice):
    unsigned statusDelayMs = 0; // every operation-status reply goes out this much later
    // {command, ms}: that command's operation-status reply goes out this much later instead.
    std::vector<std::pair<uint32_t, unsigned>> commandStatusDelays;
    // {command, ms}: that command's records (its replies other than the operation status) go out
    // this much later, as a processor that answers a setting late.
    std::vector<std::pair<uint32_t, unsigned>> commandRecordDelays;
    unsigned reportEveryS = 0;  // every so many seconds each device reports a record unasked
    bool statusFirst = false;   // a frame's operation-status reply goes before its records
    // Source changes made on the device itself (front panel, another controller), one per
    // SIGUSR1 in turn: {layer 0..3, source code 0..11}.
    std::vector<std::pair<uint8_t, uint8_t>> signalSources;
    bool signalPreviewTurn = false;   // SIGUSR1 turns every preview over
    std::vector<uint32_t> unanswered; // commands applied without an answer
    // Commands confirmed with an operation status as well as (or instead of) their records.
    std::vector<SimDevice::StatusConfirmation> statusConfirmations;
    // Lines appended to this file make the devices act by themselves (switcher mode, restart).
    std::string controlFile;
};

// Parses argv; on a bad command line returns nothing and fills `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);
extern const char* const kUsage;

} // namespace devsim
