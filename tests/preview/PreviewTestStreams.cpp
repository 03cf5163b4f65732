#include "preview/PreviewTestStreams.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

std::vector<uint8_t> ReadTestStream(const char* name) {
    std::ifstream file(std::string(VELKAN_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::vector<uint8_t>> CutRandomly(const std::vector<uint8_t>& stream, size_t maxPiece,
                                              uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> length(1, maxPiece);
    std::vector<std::vector<uint8_t>> pieces;
    for (size_t at = 0; at < stream.size();) {
        const size_t n = std::min(length(random), stream.size() - at);
        pieces.emplace_back(stream.begin() + at, stream.begin() + at + n);
        at += n;
    }
    return pieces;
}

std::vector<std::vector<uint8_t>> CutEvenly(const std::vector<uint8_t>& stream, size_t piece) {
    std::vector<std::vector<uint8_t>> pieces;
    for (size_t at = 0; at < stream.size(); at += piece) {
        const size_t n = std::min(piece, stream.size() - at);
        pieces.emplace_back(stream.begin() + at, stream.begin() + at + n);
    }
    return pieces;
}

std::vector<std::vector<uint8_t>> CutAccessUnits(const std::vector<uint8_t>& stream) {
    // Start of every NAL unit (the byte after a 00 00 01 start code; a 4-byte code's extra
    // zero stays with the unit before it, which the decoder ignores).
    std::vector<size_t> starts;
    for (size_t i = 0; i + 3 < stream.size(); ++i)
        if (stream[i] == 0 && stream[i + 1] == 0 && stream[i + 2] == 1) starts.push_back(i);
    std::vector<size_t> unitStarts;
    bool afterSlice = true; // the first NAL unit begins the first access unit
    for (size_t start : starts) {
        const uint8_t header = stream[start + 3];
        const int type = header & 0x1F;
        const bool slice = type == 1 || type == 5;
        // first_mb_in_slice is coded ue(v) first; the value 0 is the single bit 1.
        const bool firstSlice = slice && start + 4 < stream.size() && (stream[start + 4] & 0x80);
        const bool prefix = type == 6 || type == 7 || type == 8 || type == 9;
        if (afterSlice && (prefix || firstSlice)) unitStarts.push_back(start);
        afterSlice = slice;
    }
    std::vector<std::vector<uint8_t>> units;
    for (size_t i = 0; i < unitStarts.size(); ++i) {
        const size_t end = i + 1 < unitStarts.size() ? unitStarts[i + 1] : stream.size();
        units.emplace_back(stream.begin() + unitStarts[i], stream.begin() + end);
    }
    if (!unitStarts.empty() && unitStarts[0] > 0) // bytes before the first unit (a leading zero)
        units[0].insert(units[0].begin(), stream.begin(), stream.begin() + unitStarts[0]);
    return units;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

namespace {
const char* FfmpegColour(Hue hue) {
    switch (hue) {
    case Hue::Red:
        return "red";
    case Hue::Green:
        return "lime";
    case Hue::Blue:
        return "blue";
    case Hue::Yellow:
        return "yellow";
    case Hue::Cyan:
        return "cyan";
    case Hue::Magenta:
        return "magenta";
    case Hue::White:
        return "white";
    }
    return "black";
}
} // namespace

std::vector<uint8_t> MakeQuadStream(const QuadStreamSpec& spec) {
    const std::string quadrant = std::to_string(spec.Width / 2) + "x" + std::to_string(spec.Height / 2);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("velkan-quad-" + std::to_string(::getpid()) + "-" + quadrant + ".h264");
    std::string command = "ffmpeg -nostdin -v error -y";
    for (Hue hue : spec.Quadrants)
        command +=
            std::string(" -f lavfi -i color=c=") + FfmpegColour(hue) + ":size=" + quadrant + ":rate=25";
    command += " -filter_complex '[0][1][2][3]xstack=inputs=4:layout=0_0|w0_0|0_h0|w0_h0' -t 1"
               " -c:v libx264 -profile:v baseline -tune zerolatency -g 25 -pix_fmt yuv420p -f h264 '" +
               file.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(file);
    return bytes;
}

std::optional<Hue> HueOf(int red, int green, int blue) {
    const auto level = [](int v) { return v > 170 ? 1 : v < 80 ? 0 : -1; };
    const int r = level(red), g = level(green), b = level(blue);
    if (r < 0 || g < 0 || b < 0) return std::nullopt;
    switch (r * 4 + g * 2 + b) {
    case 4:
        return Hue::Red;
    case 2:
        return Hue::Green;
    case 1:
        return Hue::Blue;
    case 6:
        return Hue::Yellow;
    case 3:
        return Hue::Cyan;
    case 5:
        return Hue::Magenta;
    case 7:
        return Hue::White;
    default:
        return std::nullopt;
    }
}

const char* HueName(std::optional<Hue> hue) {
    return hue ? FfmpegColour(*hue) : "none";
}
