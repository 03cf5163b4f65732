#pragma once
#include <string>
#include <string_view>

// Numbers as text in files, the same under every locale (a comma-decimal locale must never
// change a file).

// "%d": signed decimal.
std::string FormatInt(int value);
// "%f" of the value widened to double: six digits after the point (2.2f gives "2.200000").
std::string FormatFloat(float value);

// Like the C runtime's atoi on the original platform: leading blanks, an optional sign, then
// the leading digits; 0 when there are none ("COM3" gives 0); saturates at the int range.
int ParseLeadingInt(std::string_view text);
// Like atof: leading blanks, then the longest decimal number at the start; 0 when none.
double ParseLeadingDouble(std::string_view text);
