#include "app/win32/CrashDuties.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

#include "app/ZornMouseApplicationDlg.h"

namespace tressel {
namespace {

std::atomic<CZornMouseApplicationDlg*> gDialog{nullptr};
std::atomic_flag gDutiesRun;
LPTOP_LEVEL_EXCEPTION_FILTER gPreviousFilter = nullptr;
std::terminate_handler gPreviousTerminate = nullptr;

void RunDutiesOnce() {
    // A second crash, or one inside the duties, goes straight on.
    if (gDutiesRun.test_and_set()) return;
    if (CZornMouseApplicationDlg* dialog = gDialog.load()) dialog->OnCrash();
}

// Runs on the thread that faulted, for an exception nothing else handled. After the duties the
// filter that was in place decides (the C runtime's, which turns faults into signals nobody
// here catches); EXCEPTION_CONTINUE_SEARCH lets the system's own handling go on: the error
// report, or a debugger.
// https://learn.microsoft.com/windows/win32/api/errhandlingapi/nf-errhandlingapi-setunhandledexceptionfilter
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    RunDutiesOnce();
    return gPreviousFilter ? gPreviousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

// An exception no catch took, or another reason for std::terminate.
[[noreturn]] void OnTerminate() {
    RunDutiesOnce();
    std::abort();
}

}  // namespace

CrashDuties::CrashDuties(CZornMouseApplicationDlg& dialog) {
    gDialog.store(&dialog);
    gPreviousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    gPreviousTerminate = std::set_terminate(OnTerminate);
}

CrashDuties::~CrashDuties() {
    gDialog.store(nullptr);
    std::set_terminate(gPreviousTerminate);
    SetUnhandledExceptionFilter(gPreviousFilter);
}

}  // namespace tressel
