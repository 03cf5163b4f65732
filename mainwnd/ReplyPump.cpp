#include "mainwnd/ReplyPump.h"

#include "app/CommLink.h"

#include <wx/app.h>

namespace {
// Called on the library's thread: only queue work for the UI thread here.
void NotifyRepliesWaiting(void*) {
  if (wxTheApp)
    wxTheApp->CallAfter([] {
      if (CommLink* link = GetCommLink()) link->DispatchReplies();
    });
}
}  // namespace

void StartReplyPump() {
  if (CommLink* link = GetCommLink()) link->SetReplyNotifier(&NotifyRepliesWaiting, nullptr);
  // Replies that arrived before the notifier was set are fetched now.
  if (CommLink* link = GetCommLink()) link->DispatchReplies();
}

void StopReplyPump() {
  if (CommLink* link = GetCommLink()) link->SetReplyNotifier(nullptr, nullptr);
}
