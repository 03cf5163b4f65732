#pragma once
// One application-wide filter that hands every key release to the main dialog's key hook,
// exactly once, whichever window had the focus (the preset shortcuts are read on release).
// It also keeps the set of keys held down, for "is this key held" questions.
#include <functional>
#include <set>

#include <wx/event.h>
#include <wx/eventfilter.h>

class KeyReleaseFilter : public wxEventFilter {
public:
    using Hook = std::function<void(const wxKeyEvent&)>;

    // Installs the filter (once) and sets the hook; a null hook stops the deliveries.
    static void Install(Hook hook);
    static void Remove();
    static bool IsKeyHeld(int keyCode);

    int FilterEvent(wxEvent& event) override;
    ~KeyReleaseFilter() override;

    // The instance, for code that feeds it events directly.
    static KeyReleaseFilter& Instance();

private:
    Hook KeyHook;
    std::set<int> HeldKeys;
    bool Installed = false;
};
