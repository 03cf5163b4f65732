#include "platform/ui/Timers.h"

TimerTable::TimerTable(wxEvtHandler* owner, std::function<void(int)> onTimer)
    : Owner(owner), OnTimer(std::move(onTimer)) {
    Owner->Bind(wxEVT_TIMER, &TimerTable::OnTimerEvent, this);
}

TimerTable::~TimerTable() {
    for (auto& [id, timer] : Running)
        timer->Stop();
    Owner->Unbind(wxEVT_TIMER, &TimerTable::OnTimerEvent, this);
}

void TimerTable::SetTimer(int id, unsigned milliseconds) {
    auto& timer = Running[id];
    if (!timer)
        timer = std::make_unique<wxTimer>(Owner, id);
    timer->Start(static_cast<int>(milliseconds == 0 ? 1 : milliseconds), wxTIMER_CONTINUOUS);
}

void TimerTable::KillTimer(int id) {
    auto found = Running.find(id);
    if (found == Running.end())
        return;
    found->second->Stop();
    Running.erase(found);
}

bool TimerTable::IsRunning(int id) const {
    auto found = Running.find(id);
    return found != Running.end() && found->second->IsRunning();
}

void TimerTable::OnTimerEvent(wxTimerEvent& event) {
    // Timers that are not ours (a control's own wxTimer on the same owner) pass on.
    auto found = Running.find(event.GetId());
    if (found == Running.end() || &event.GetTimer() != found->second.get()) {
        event.Skip();
        return;
    }
    if (OnTimer)
        OnTimer(event.GetId());
}
