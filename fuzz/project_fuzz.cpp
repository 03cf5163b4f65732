// Arbitrary bytes as a project file: read and applied to the state, then formatted and parsed again.
#include "FuzzMainDialog.h"
#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/ProjectFile.h"
#include "app/ProjectFormat.h"
#include "app/ReplySleep.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzMainDialog dialog;
    static const std::string path = "/tmp/velkan-project-fuzz-" + std::to_string(getpid()) + ".pro";
    TheMainDialog = &dialog;
    SetReplySleepFunction([](unsigned) {});
    ResetDeviceState();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    ReadProjectFile(path);
    if (GetDeviceState().LoadedFromProject != 0) __builtin_trap();
    // Whatever loaded must format and parse again (in memory: a real save waits for the disk).
    StateBlock block = GetDeviceState();
    ClampProjectFields(reinterpret_cast<uint8_t*>(&block));
    const std::string text = FormatProjectText(reinterpret_cast<const uint8_t*>(&block));
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    StateBlock again = block;
    if (ParseProjectLines(lines, reinterpret_cast<uint8_t*>(&again)) != 1143) __builtin_trap();
    std::remove(path.c_str());
    return 0;
}
