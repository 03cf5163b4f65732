#pragma once
#include <functional>

// Some replies pace their follow-up queries with a pause on the UI thread (the device needs
// the time). The pause goes through here so that tests can record it instead of waiting.
void ReplySleep(unsigned milliseconds);

// Replaces the pause; an empty function restores the real one.
void SetReplySleepFunction(std::function<void(unsigned)> sleep);
