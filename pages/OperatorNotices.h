#pragma once
// Moved to controls (the page base); kept until the main dialog's sources include it from there.
#include "controls/OperatorNotices.h"
