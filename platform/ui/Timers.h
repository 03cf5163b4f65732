#pragma once
// Window timers by id: SetTimer starts or restarts a repeating timer, KillTimer stops it, and
// the owner's callback receives the id at every expiry (on the UI thread).
#include <functional>
#include <map>
#include <memory>

#include <wx/timer.h>

class TimerTable {
public:
    TimerTable(wxEvtHandler* owner, std::function<void(int id)> onTimer);
    ~TimerTable();
    TimerTable(const TimerTable&) = delete;
    TimerTable& operator=(const TimerTable&) = delete;

    void SetTimer(int id, unsigned milliseconds);
    void KillTimer(int id);   // an id that is not running is left alone
    bool IsRunning(int id) const;

private:
    void OnTimerEvent(wxTimerEvent& event);

    wxEvtHandler* Owner;
    std::function<void(int)> OnTimer;
    std::map<int, std::unique_ptr<wxTimer>> Running;
};
