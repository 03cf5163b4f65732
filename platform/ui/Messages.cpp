#include "platform/ui/Messages.h"

wxDEFINE_EVENT(EVT_USER_MESSAGE, UserMessageEvent);

UserMessageEvent::UserMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam)
    : wxEvent(0, EVT_USER_MESSAGE), Message(message), WParam(wParam), LParam(lParam) {}

void PostMsg(wxEvtHandler* to, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (to)
        wxQueueEvent(to, new UserMessageEvent(message, wParam, lParam));
}

LRESULT SendMsg(wxEvtHandler* to, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (!to)
        return 0;
    UserMessageEvent event(message, wParam, lParam);
    to->SafelyProcessEvent(event);
    return event.Result;
}

MessageMap::MessageMap(wxEvtHandler* owner) : Owner(owner) {
    Owner->Bind(EVT_USER_MESSAGE, &MessageMap::Dispatch, this);
}

MessageMap::~MessageMap() { Owner->Unbind(EVT_USER_MESSAGE, &MessageMap::Dispatch, this); }

void MessageMap::On(unsigned message, Handler handler) { Handlers[message] = std::move(handler); }

void MessageMap::Dispatch(UserMessageEvent& event) {
    auto found = Handlers.find(event.Message);
    if (found == Handlers.end()) {
        event.Skip();
        return;
    }
    event.Result = found->second(event.WParam, event.LParam);
}
