#include "platform/ui/KeyReleaseFilter.h"

#include <wx/app.h>

KeyReleaseFilter& KeyReleaseFilter::Instance() {
    static KeyReleaseFilter filter;
    return filter;
}

// A program that ends without Remove still leaves wx's filter list clean.
KeyReleaseFilter::~KeyReleaseFilter() {
    if (Installed)
        wxEvtHandler::RemoveFilter(this);
}

void KeyReleaseFilter::Install(Hook hook) {
    KeyReleaseFilter& filter = Instance();
    filter.KeyHook = std::move(hook);
    if (!filter.Installed) {
        wxEvtHandler::AddFilter(&filter);
        filter.Installed = true;
    }
}

void KeyReleaseFilter::Remove() {
    KeyReleaseFilter& filter = Instance();
    if (filter.Installed) {
        wxEvtHandler::RemoveFilter(&filter);
        filter.Installed = false;
    }
    filter.KeyHook = nullptr;
    filter.HeldKeys.clear();
}

bool KeyReleaseFilter::IsKeyHeld(int keyCode) { return Instance().HeldKeys.count(keyCode) != 0; }

int KeyReleaseFilter::FilterEvent(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN) {
        HeldKeys.insert(static_cast<wxKeyEvent&>(event).GetKeyCode());
    } else if (type == wxEVT_KEY_UP) {
        auto& key = static_cast<wxKeyEvent&>(event);
        HeldKeys.erase(key.GetKeyCode());
        // A release is filtered once per event object; the hook sees it before any window.
        if (KeyHook)
            KeyHook(key);
    }
    return Event_Skip;
}
