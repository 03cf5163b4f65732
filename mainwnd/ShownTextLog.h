#pragma once
// Moved to platform/ui; kept until the main dialog's sources include it from there.
#include "platform/ui/ShownTexts.h"
