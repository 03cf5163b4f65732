#pragma once
// The link library receives on its own thread but the reply callbacks write DeviceState and
// touch windows, so they must run on the UI thread: the library's notifier schedules one
// dispatch there for every batch of waiting replies.
void StartReplyPump();
// No dispatch is scheduled any more (a dispatch already queued delivers nothing once the
// link is closed).
void StopReplyPump();
