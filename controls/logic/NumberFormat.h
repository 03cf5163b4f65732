#pragma once
// Locale-independent number text for the numeric edits: the pages' printf-style formats
// ("%d", "%.1f", with optional text around them) and the edits' lenient parsing.
#include <string>
#include <string_view>

struct NumberFormat {
    std::string Prefix, Suffix;
    bool Fixed = false;   // 'f': fixed-point with Precision digits; otherwise an integer
    int Precision = 0;
    int Width = 0;        // minimum width, padded with spaces (or zeros with the '0' flag)
    bool ZeroPad = false;
};

// Reads one %d, %i, %u or %f conversion; anything else formats as "%d".
NumberFormat ParseNumberFormat(std::string_view format);
// Fixed formats print the value; integer formats print it truncated toward zero.
std::string FormatNumber(const NumberFormat& format, double value);
// The leading number of the text (spaces skipped); 0 when there is none.
double ParseLeadingNumber(std::string_view text);
