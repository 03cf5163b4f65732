#include "tools/devsim/DevsimOptions.h"

#include <algorithm>
#include <arpa/inet.h>
#include <charconv>

namespace devsim {

const char* const kUsage =
    "usage: velkan-devsim [--device IPv4]... [--serial PATH [--serial-baud N] [--serial-id N]]\n"
    "                     [--state FILE] [--log FILE]\n"
    "                     [--short-every N] [--garbage-every N] [--bad-crc-every N] [--drop-after N]\n"
    "                     [--silent] [--stall] [--exit-with-parent]\n"
    "                     [--preview FILE] [--encoder-fault none|refuse|reject|bad-answer|silent|hang-up]\n"
    "                     [--encoder-log FILE] [--ext-card none|hdmi|dp] [--vga-card] [--neutral-answers standard|other]\n"
    "                     [--presets-stored [--preset-empty N]] [--status-delay MS] [--status-first]\n"
    "                     [--usr1-source LAYER:SOURCE[,LAYER:SOURCE]...] [--usr1-preview] [--unanswered COMMAND]...\n"
    "                     [--status-delay-for COMMAND=MS]... [--record-delay-for COMMAND=MS]... [--report-every S]\n"
    "                     [--confirm-status COMMAND=OPERATION]... [--status-instead COMMAND=OPERATION]...\n"
    "                     [--control FILE]\n";

namespace {

bool ParseUnsigned(const std::string& text, unsigned& value, unsigned max) {
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v > max) return false;
    value = v;
    return true;
}

// "A<sep>B" with A up to maxFirst and B up to maxSecond.
bool ParsePair(const std::string& text, char sep, unsigned maxFirst, unsigned maxSecond, unsigned& first,
               unsigned& second) {
    const size_t at = text.find(sep);
    return at != std::string::npos && ParseUnsigned(text.substr(0, at), first, maxFirst) &&
           ParseUnsigned(text.substr(at + 1), second, maxSecond);
}

} // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](unsigned& out, unsigned max) {
            std::string text;
            if (!value(text)) return false;
            if (!ParseUnsigned(text, out, max)) {
                error = a + ": not a number up to " + std::to_string(max) + ": " + text;
                return false;
            }
            return true;
        };
        // COMMAND=MS: how late that command's answer of one kind goes out.
        auto commandDelay = [&](std::vector<std::pair<uint32_t, unsigned>>& out) {
            std::string pair;
            if (!value(pair)) return false;
            unsigned command = 0, ms = 0;
            if (!ParsePair(pair, '=', 73, 60000, command, ms)) {
                error = a + " takes COMMAND=MS (command 0..73, up to 60000 ms): " + pair;
                return false;
            }
            out.emplace_back(command, ms);
            return true;
        };
        unsigned n = 0;
        if (a == "--device") {
            std::string ip;
            if (!value(ip)) return std::nullopt;
            in_addr address{};
            if (inet_pton(AF_INET, ip.c_str(), &address) != 1 || (ntohl(address.s_addr) >> 24) != 127) {
                error = "--device takes a loopback IPv4 address (127.x.y.z): " + ip;
                return std::nullopt;
            }
            o.devices.push_back(ip);
        } else if (a == "--serial") {
            if (!value(o.serialPath)) return std::nullopt;
        } else if (a == "--serial-baud") {
            if (!number(n, 4000000)) return std::nullopt;
            o.serialBaud = static_cast<int>(n);
        } else if (a == "--serial-id") {
            if (!number(n, 255)) return std::nullopt;
            o.serialId = static_cast<uint8_t>(n);
        } else if (a == "--state") {
            if (!value(o.stateFile)) return std::nullopt;
        } else if (a == "--log") {
            if (!value(o.logFile)) return std::nullopt;
        } else if (a == "--short-every") {
            if (!number(o.faults.shortEvery, 1000000)) return std::nullopt;
        } else if (a == "--garbage-every") {
            if (!number(o.faults.garbageEvery, 1000000)) return std::nullopt;
        } else if (a == "--bad-crc-every") {
            if (!number(o.faults.badCrcEvery, 1000000)) return std::nullopt;
        } else if (a == "--drop-after") {
            if (!number(o.faults.dropAfter, 1000000000)) return std::nullopt;
        } else if (a == "--silent") {
            o.faults.silent = true;
        } else if (a == "--stall") {
            o.faults.stall = true;
        } else if (a == "--preview") {
            if (!value(o.previewStream)) return std::nullopt;
        } else if (a == "--encoder-fault") {
            std::string name;
            if (!value(name)) return std::nullopt;
            const auto fault = ParseEncoderFault(name);
            if (!fault) {
                error = "--encoder-fault: unknown fault " + name;
                return std::nullopt;
            }
            o.encoderFault = *fault;
        } else if (a == "--encoder-log") {
            if (!value(o.encoderLog)) return std::nullopt;
        } else if (a == "--ext-card") {
            if (!value(o.extCard)) return std::nullopt;
            if (o.extCard != "none" && o.extCard != "hdmi" && o.extCard != "dp") {
                error = "--ext-card takes none, hdmi or dp: " + o.extCard;
                return std::nullopt;
            }
        } else if (a == "--vga-card") {
            o.vgaCard = true;
        } else if (a == "--neutral-answers") {
            std::string name;
            if (!value(name)) return std::nullopt;
            if (name != "standard" && name != "other") {
                error = "--neutral-answers: standard or other, not " + name;
                return std::nullopt;
            }
            o.neutralAnswers = name == "other" ? NeutralAnswers::Other : NeutralAnswers::Standard;
        } else if (a == "--presets-stored") {
            o.presetsStored = true;
        } else if (a == "--preset-empty") {
            if (!number(n, 9)) return std::nullopt;
            o.presetLeftEmpty = static_cast<int>(n);
        } else if (a == "--status-delay") {
            if (!number(o.statusDelayMs, 60000)) return std::nullopt;
        } else if (a == "--status-delay-for") {
            if (!commandDelay(o.commandStatusDelays)) return std::nullopt;
        } else if (a == "--record-delay-for") {
            if (!commandDelay(o.commandRecordDelays)) return std::nullopt;
        } else if (a == "--confirm-status" || a == "--status-instead") {
            std::string pair;
            if (!value(pair)) return std::nullopt;
            unsigned command = 0, operation = 0;
            if (!ParsePair(pair, '=', 73, 255, command, operation)) {
                error = a + " takes COMMAND=OPERATION (command 0..73, operation 0..255): " + pair;
                return std::nullopt;
            }
            o.statusConfirmations.push_back({command, static_cast<uint8_t>(operation), a == "--status-instead"});
        } else if (a == "--report-every") {
            if (!number(o.reportEveryS, 3600)) return std::nullopt;
        } else if (a == "--control") {
            if (!value(o.controlFile)) return std::nullopt;
        } else if (a == "--status-first") {
            o.statusFirst = true;
        } else if (a == "--usr1-preview") {
            o.signalPreviewTurn = true;
        } else if (a == "--usr1-source") {
            std::string list;
            if (!value(list)) return std::nullopt;
            for (size_t at = 0; at <= list.size();) {
                const size_t end = std::min(list.find(',', at), list.size());
                const std::string pair = list.substr(at, end - at);
                unsigned layer = 0, source = 0;
                if (!ParsePair(pair, ':', 3, 11, layer, source)) {
                    error = "--usr1-source takes LAYER:SOURCE pairs (layer 0..3, source 0..11): " + pair;
                    return std::nullopt;
                }
                o.signalSources.emplace_back(static_cast<uint8_t>(layer), static_cast<uint8_t>(source));
                at = end + 1;
            }
        } else if (a == "--unanswered") {
            if (!number(n, 73)) return std::nullopt;
            o.unanswered.push_back(n);
        } else if (a == "--exit-with-parent") {
            o.exitWithParent = true;
        } else {
            error = "unknown argument: " + a;
            return std::nullopt;
        }
    }
    if (o.devices.empty() && o.serialPath.empty()) {
        error = "nothing to simulate: give --device or --serial";
        return std::nullopt;
    }
    return o;
}

} // namespace devsim
