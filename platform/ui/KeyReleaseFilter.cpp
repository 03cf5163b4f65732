#include "platform/ui/KeyReleaseFilter.h"

#include <wx/app.h>
#include <wx/utils.h>

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

void KeyReleaseFilter::SetKeyboardQuery(KeyboardQuery query) { Instance().KeyboardHolds = std::move(query); }

bool KeyReleaseFilter::IsKeyHeld(int keyCode) { return Instance().HeldKeys.count(keyCode) != 0; }

void KeyReleaseFilter::KeyDown(int keyCode) {
    // A key the keyboard repeats comes down again and again: it keeps what it was held with.
    std::set<int>& with = HeldKeys[keyCode];
    for (auto& [key, keys] : HeldKeys)
        if (key != keyCode) {
            keys.insert(keyCode);
            with.insert(key);
        }
}

// A window of ours has the keyboard back. While another had it (a native message box, another
// program), the releases went there: a key the keyboard has let go meanwhile is no longer held.
void KeyReleaseFilter::ForgetKeysLetGo() {
    const KeyboardQuery holds =
        KeyboardHolds ? KeyboardHolds : [](int key) { return wxGetKeyState(static_cast<wxKeyCode>(key)); };
    std::erase_if(HeldKeys, [&](const auto& held) { return !holds(held.first); });
}

int KeyReleaseFilter::FilterEvent(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN) {
        KeyDown(static_cast<wxKeyEvent&>(event).GetKeyCode());
    } else if (type == wxEVT_KEY_UP) {
        auto& key = static_cast<wxKeyEvent&>(event);
        // GTK hands a release that no window took on to each parent of the focused control, and
        // wx makes a new event for each of them: the copies carry the one key's code and time.
        const KeyStroke stroke{key.GetRawKeyFlags(), key.GetTimestamp()};
        if (stroke.Time != 0 && stroke == LastRelease)
            return Event_Skip;
        LastRelease = stroke;
        std::set<int> heldWith;
        if (const auto held = HeldKeys.find(key.GetKeyCode()); held != HeldKeys.end()) {
            heldWith = std::move(held->second);
            HeldKeys.erase(held);
        }
        // The hook sees the release before any window.
        if (KeyHook)
            KeyHook(key, heldWith);
    } else if (type == wxEVT_ACTIVATE && static_cast<wxActivateEvent&>(event).GetActive()) {
        ForgetKeysLetGo();
    }
    return Event_Skip;
}
