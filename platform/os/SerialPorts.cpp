#include "platform/os/SerialPorts.h"

#include "platform/os/AppDirectory.h"

#include <libserialport.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

// Decimal digits only, no sign, no leading zero; 0 when the text is not such a number.
int PlainNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 3 || digits[0] == '0') return 0;
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) return 0;
    return value;
}

struct SystemFamily {
    std::string_view Prefix;
    int FirstNumber;
    int LastNumber;
};
// 32 devices per family, so the families never overlap.
constexpr SystemFamily Families[] = {
    {"/dev/ttyS", 1, 32},
    {"/dev/ttyUSB", 33, 64},
    {"/dev/ttyACM", 65, 96},
};

void AddUnique(std::vector<SerialPortInfo>& ports, int number, std::string path) {
    if (number < 1 || number > MaxComNumber) return;
    for (const auto& port : ports)
        if (port.Number == number) return;
    ports.push_back({number, std::string("COM").append(std::to_string(number)), std::move(path)});
}

} // namespace

int ComNumberOfSystemPort(std::string_view devicePath) {
    for (const auto& family : Families) {
        if (devicePath.substr(0, family.Prefix.size()) != family.Prefix) continue;
        const std::string_view rest = devicePath.substr(family.Prefix.size());
        const int index = rest == "0" ? 0 : PlainNumber(rest);
        if (index == 0 && rest != "0") return 0;
        const int number = family.FirstNumber + index;
        return number <= family.LastNumber ? number : 0;
    }
    return 0;
}

int ComNumberOfLinkName(std::string_view name) {
    if (name.substr(0, 3) != "COM") return 0;
    const int number = PlainNumber(name.substr(3));
    return number <= MaxComNumber ? number : 0;
}

std::vector<SerialPortInfo> MergeSerialPorts(const std::string& portsFolder,
                                             const std::vector<std::string>& systemDevicePaths) {
    std::vector<SerialPortInfo> links;
    std::vector<int> takenByLinks;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(portsFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const int number = ComNumberOfLinkName(it->path().filename().string());
        if (number == 0) continue;
        takenByLinks.push_back(number);
        std::error_code exists_ec;
        if (std::filesystem::exists(it->path(), exists_ec)) links.push_back({number, {}, it->path().string()});
    }
    std::sort(links.begin(), links.end(), [](const auto& a, const auto& b) { return a.Number < b.Number; });

    std::vector<SerialPortInfo> ports;
    for (auto& link : links) AddUnique(ports, link.Number, std::move(link.DevicePath));
    std::vector<SerialPortInfo> system;
    for (const auto& path : systemDevicePaths) {
        const int number = ComNumberOfSystemPort(path);
        if (number != 0 && std::find(takenByLinks.begin(), takenByLinks.end(), number) == takenByLinks.end())
            system.push_back({number, {}, path});
    }
    std::sort(system.begin(), system.end(), [](const auto& a, const auto& b) { return a.Number < b.Number; });
    for (auto& port : system) AddUnique(ports, port.Number, std::move(port.DevicePath));
    return ports;
}

bool ListSystemSerialDevices(std::vector<std::string>& devicePaths) {
    devicePaths.clear();
    sp_port** list = nullptr;
    if (sp_list_ports(&list) != SP_OK) return false;
    for (sp_port** port = list; port && *port; ++port)
        if (const char* name = sp_get_port_name(*port)) devicePaths.emplace_back(name);
    sp_free_port_list(list);
    return true;
}

std::vector<SerialPortInfo> ListSerialPorts() {
    std::vector<std::string> system;
    ListSystemSerialDevices(system);
    return MergeSerialPorts(GetAppDirectory() + "Ports", system);
}
