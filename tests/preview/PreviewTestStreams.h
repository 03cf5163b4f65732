#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
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
