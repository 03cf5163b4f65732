#pragma once
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The committed preview test streams (tests/data/preview-streams.txt says how they were made).
inline constexpr const char* QuadStream = "preview_quad_352x240.h264"; // 50 pictures 352 x 240
inline constexpr const char* WideStream = "preview_480x270.h264";     // 25 pictures 480 x 270

std::vector<uint8_t> ReadTestStream(const char* name);

// Cuts a stream into pieces of random length 1..maxPiece (a fixed seed, so runs repeat).
std::vector<std::vector<uint8_t>> CutRandomly(const std::vector<uint8_t>& stream, size_t maxPiece,
                                              uint32_t seed);
std::vector<std::vector<uint8_t>> CutEvenly(const std::vector<uint8_t>& stream, size_t piece);

// Cuts an Annex-B stream into access units: a new unit starts at a parameter set, SEI or
// delimiter that follows a slice, or at a slice whose first macroblock is 0 that follows a slice.
std::vector<std::vector<uint8_t>> CutAccessUnits(const std::vector<uint8_t>& stream);

// Polls until the condition holds or the time is up; returns the condition's last value.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Streams of four plain quadrants, made with ffmpeg when a test asks for them: one table of
// sizes, each with its own colours, so a picture on screen tells which stream it came from.
enum class Hue { Red, Green, Blue, Yellow, Cyan, Magenta, White };
struct QuadStreamSpec {
    int Width;
    int Height;
    std::array<Hue, 4> Quadrants; // top-left, top-right, bottom-left, bottom-right
};
inline constexpr QuadStreamSpec QuadStreams[] = {
    {352, 240, {Hue::Red, Hue::Green, Hue::Blue, Hue::Yellow}},
    {640, 360, {Hue::Cyan, Hue::Magenta, Hue::White, Hue::Red}},
    {960, 540, {Hue::Green, Hue::Yellow, Hue::Magenta, Hue::Cyan}},
};
// One second at 25 pictures a second, Constrained Baseline; empty when ffmpeg fails.
std::vector<uint8_t> MakeQuadStream(const QuadStreamSpec& spec);
// The hue of a pixel as shown, or none when it is near none of them (black, a mixed colour).
std::optional<Hue> HueOf(int red, int green, int blue);
const char* HueName(std::optional<Hue> hue);
