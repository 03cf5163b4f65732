#include "support/WxTestApp.h"

[[maybe_unused]] static ::testing::Environment* const WxEnvironment =
    ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);
