#include "mainwnd/ReplyPump.h"

#include "platform/comm/VelkComm.h"

#include <wx/app.h>

namespace {
// Called on the library's thread: only queue work for the UI thread here.
void NotifyRepliesWaiting(void*) {
  if (wxTheApp) wxTheApp->CallAfter([] { VelkComm_DispatchReplies(); });
}
}  // namespace

void StartReplyPump() {
  VelkComm_SetReplyNotifier(&NotifyRepliesWaiting, nullptr);
  // Replies that arrived before the notifier was set are fetched now.
  VelkComm_DispatchReplies();
}

void StopReplyPump() { VelkComm_SetReplyNotifier(nullptr, nullptr); }
