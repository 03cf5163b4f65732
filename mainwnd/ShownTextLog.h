#pragma once
// What the main window shows as text (input names, resolutions, the connection state), written
// to the file named by VELKAN_SHOWN_TEXT whenever it is drawn, so that window tests can read
// the screen's words without OCR. Without that variable nothing is written.
#include <string>
#include <vector>

void RecordShownTexts(const std::string& area, const std::vector<std::string>& lines);
