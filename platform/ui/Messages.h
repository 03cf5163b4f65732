#pragma once
// Numbered messages between windows: PostMsg (queued, any thread) and SendMsg (at once, UI
// thread), handled by the receiver's MessageMap by number. The event is not a command event, so
// it never travels up to a parent window.
#include <cstdint>
#include <functional>
#include <unordered_map>

#include <wx/event.h>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

class UserMessageEvent : public wxEvent {
public:
    UserMessageEvent(unsigned message = 0, WPARAM wParam = 0, LPARAM lParam = 0);
    wxEvent* Clone() const override { return new UserMessageEvent(*this); }

    unsigned Message;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;
};

wxDECLARE_EVENT(EVT_USER_MESSAGE, UserMessageEvent);

// Queues the message for the receiver's event loop; safe from any thread while `to` exists.
void PostMsg(wxEvtHandler* to, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);
// Handles the message now and returns the handler's result (0 when nothing handles it).
LRESULT SendMsg(wxEvtHandler* to, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);

// The receiver's table of handlers by message number; binds itself to its owner for its life.
class MessageMap {
public:
    using Handler = std::function<LRESULT(WPARAM, LPARAM)>;

    explicit MessageMap(wxEvtHandler* owner);
    ~MessageMap();
    MessageMap(const MessageMap&) = delete;
    MessageMap& operator=(const MessageMap&) = delete;

    void On(unsigned message, Handler handler);
    bool Handles(unsigned message) const { return Handlers.count(message) != 0; }

private:
    void Dispatch(UserMessageEvent& event);

    wxEvtHandler* Owner;
    std::unordered_map<unsigned, Handler> Handlers;
};
