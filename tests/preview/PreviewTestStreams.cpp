#include "preview/PreviewTestStreams.h"

#include <fstream>
#include <iterator>
#include <random>
#include <thread>

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
