#pragma once
// Which local addresses the machine search offers, and which one a choice hands to the link.
#include <optional>
#include <string>
#include <vector>

// The adapters' addresses in the system's order; an address that begins with '0' (an adapter
// without one, 0.0.0.0) is left out.
std::vector<std::string> SearchableAddresses(const std::vector<std::string>& adapterAddresses);
// The address to select for list item index: none for the "N/A" item that stands for no
// address at all, or for an index outside the list.
std::optional<std::string> AdapterToSelect(const std::vector<std::string>& addresses, int index);
