#pragma once
// One application-wide filter that hands every key release to the main dialog's key hook,
// exactly once, whichever window had the focus (the preset shortcuts are read on release).
// It also keeps the set of keys held down, for "is this key held" questions, and for each of
// them the keys that were down with it at some moment, so that a chord counts whatever order
// its keys come up in.
#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include <wx/event.h>
#include <wx/eventfilter.h>

class KeyReleaseFilter : public wxEventFilter {
public:
    // The release, and the keys that were down at some moment while the released key was.
    using Hook = std::function<void(const wxKeyEvent& release, const std::set<int>& heldWith)>;

    // Installs the filter (once) and sets the hook; a null hook stops the deliveries.
    static void Install(Hook hook);
    static void Remove();
    static bool IsKeyHeld(int keyCode);

    int FilterEvent(wxEvent& event) override;
    ~KeyReleaseFilter() override;

    // The instance, for code that feeds it events directly.
    static KeyReleaseFilter& Instance();
    // Where the keyboard itself is asked which keys are down; tests put their own keyboard here.
    using KeyboardQuery = std::function<bool(int keyCode)>;
    static void SetKeyboardQuery(KeyboardQuery query);

private:
    // One key's release as the X server stamped it: its hardware code and time.
    struct KeyStroke {
        uint32_t Code = 0;
        long Time = 0;
        bool operator==(const KeyStroke&) const = default;
    };
    void KeyDown(int keyCode);
    void ForgetKeysLetGo();

    Hook KeyHook;
    KeyboardQuery KeyboardHolds;
    // Each key held, with the keys that were down with it.
    std::map<int, std::set<int>> HeldKeys;
    KeyStroke LastRelease;
    bool Installed = false;
};
