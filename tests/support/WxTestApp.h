#pragma once
// Starts wx (GTK) once for a test program and pumps its events; window tests run under Xvfb.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/time.h>
#include <wx/utils.h>

#include "platform/ui/ResourceImages.h"

class WxTestEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        wxApp::SetInstance(new wxApp);
        static int argc = 1;
        static char name[] = "controls_window_tests";
        static char* argv[] = {name, nullptr};
        ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display: run under xvfb-run";
        wxTheApp->CallOnInit();
        EnsureImageHandlers();
    }
    void TearDown() override { wxEntryCleanup(); }
};

// Runs the event loop for `ms` milliseconds (timers, posted messages, paints).
inline void Pump(int ms = 30) {
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    do {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        wxMilliSleep(2);
    } while (wxGetLocalTimeMillis() < end);
}

// Runs the event loop until `done` holds or `ms` pass; returns whether it held.
template <class F> bool PumpUntil(F done, int ms = 3000) {
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    while (!done() && wxGetLocalTimeMillis() < end)
        Pump(5);
    return done();
}
