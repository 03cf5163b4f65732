#include "connect/AdapterChoice.h"

#include <gtest/gtest.h>

TEST(AdapterChoice, AdaptersWithoutAnAddressAreLeftOut) {
  EXPECT_EQ(SearchableAddresses({"127.0.0.1", "0.0.0.0", "192.0.2.2", ""}),
            (std::vector<std::string>{"127.0.0.1", "192.0.2.2"}));
}

TEST(AdapterChoice, NotApplicableItemSelectsNoAddress) {
  // No adapter: the list shows "N/A" as item 0, and choosing it hands nothing to the link.
  const auto none = SearchableAddresses({"0.0.0.0"});
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(AdapterToSelect(none, 0).has_value());
  EXPECT_FALSE(AdapterToSelect({"127.0.0.1"}, 1).has_value());
  EXPECT_FALSE(AdapterToSelect({"127.0.0.1"}, -1).has_value());
  EXPECT_EQ(AdapterToSelect({"127.0.0.1", "192.0.2.2"}, 1), "192.0.2.2");
}
