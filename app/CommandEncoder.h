#pragma once
#include "app/DeviceState.h"

#include <cstdint>

// Gamma as the picture command carries it: tenths, so that every gamma the program offers
// (0.1 .. 3.6 in tenths, and 2.25) gives its intended byte despite float rounding. NaN and
// negative values give 0, values beyond the byte 255.
uint8_t GammaTimesTen(float gamma);

// Fills block (already bare) for the command from the arguments and the state. False when an
// index that the command reads with is out of range; the block is then to be sent by nobody.
bool EncodeCommandBlock(const DeviceState& state, uint16_t command, const CommandArgs& a, CommandBlockBytes& block);
