#include "app/CommLink.h"

namespace {
CommLink* g_link = nullptr;
}

CommLink* GetCommLink() { return g_link; }
void SetCommLink(CommLink* link) { g_link = link; }
