#include "connect/AdapterChoice.h"

std::vector<std::string> SearchableAddresses(const std::vector<std::string>& adapterAddresses) {
  std::vector<std::string> addresses;
  for (const auto& address : adapterAddresses)
    if (!address.empty() && address[0] != '0') addresses.push_back(address);
  return addresses;
}

std::optional<std::string> AdapterToSelect(const std::vector<std::string>& addresses, int index) {
  if (index < 0 || static_cast<size_t>(index) >= addresses.size()) return std::nullopt;
  return addresses[static_cast<size_t>(index)];
}
