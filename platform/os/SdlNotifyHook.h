#pragma once
// The video library's notification that its windows need re-placing. Our platform layer raises
// it when the program's top-level window is moved or resized (its configure events); whoever
// draws video views registers one callback and re-places them from it.

// The callback may run on any thread; it returns 0.
using SdlNotifyFunction = int (*)();

// Registers the callback (null removes it); only the last one registered is called.
void SDL_SetCallBackFunction(SdlNotifyFunction callback);

// Calls the registered callback, if any. Returns whether one was called.
bool RaiseSdlNotify();
