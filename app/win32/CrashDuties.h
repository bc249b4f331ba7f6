#pragma once
// What the program still does when it crashes. A crash on any thread (an access violation, an
// uncaught C++ exception) would otherwise end the process with keys or buttons its macros hold
// down still down in every program, and leave its tray icon behind until the pointer passes
// over it, as if the program were still running.

namespace tressel {

class CZornMouseApplicationDlg;

// While it lives, a crash first runs `dialog`'s crash duties (once, on the crashing thread) and
// then takes its usual course: the filter that was in place before, then Windows' own handling
// (the error report). Made once, around the dialog's run.
class CrashDuties {
  public:
    explicit CrashDuties(CZornMouseApplicationDlg& dialog);
    CrashDuties(const CrashDuties&) = delete;
    CrashDuties& operator=(const CrashDuties&) = delete;
    ~CrashDuties();  // puts back the handlers that were in place
};

}  // namespace tressel
