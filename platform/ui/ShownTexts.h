#pragma once
// The words the windows show (input names, resolutions, the connection state, open pages),
// written to the file named by VELKAN_SHOWN_TEXT whenever they are drawn, so that window tests
// read the screen's words without OCR. Without that variable nothing is kept or written.
#include <string>
#include <vector>

// Replaces the lines of one area; false when the file could not be written (it then keeps
// its last complete contents).
bool RecordShownTexts(const std::string& area, const std::vector<std::string>& lines);
