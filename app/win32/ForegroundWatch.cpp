#include "app/win32/ForegroundWatch.h"

#include <optional>
#include <vector>

#include "app/win32/ProgramImage.h"
#include "app/win32/TestSwitches.h"

namespace tressel {
namespace {

// WinEvent callbacks carry no context of their own.
ForegroundWatch* gWatch = nullptr;

// The mandatory integrity level of a process (SECURITY_MANDATORY_*_RID), or none when its
// token cannot be read.
std::optional<DWORD> IntegrityOf(HANDLE process) {
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
    const UniqueKernelHandle token(rawToken);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, count - 1);
}

std::optional<DWORD> OwnIntegrity() {
    static const std::optional<DWORD> own = IntegrityOf(GetCurrentProcess());
    return own;
}

}  // namespace

ForegroundWatch::ForegroundWatch(Listener listener) : listener_(std::move(listener)) {
    gWatch = this;
    hook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent,
                                0, 0, WINEVENT_OUTOFCONTEXT));
    if (const unsigned pollMs = test_switches::ForegroundPollMs())
        pollTimer_ = SetTimer(nullptr, 0, pollMs, OnPoll);
    Tell(GetForegroundWindow(), GetTickCount());
}

ForegroundWatch::~ForegroundWatch() {
    if (pollTimer_) KillTimer(nullptr, pollTimer_);
    hook_.reset();
    gWatch = nullptr;
}

void CALLBACK ForegroundWatch::OnPoll(HWND, UINT, UINT_PTR, DWORD) {
    // While the foreground passes from one process to another there is a moment without one;
    // the system's foreground event reports only the window that comes to the front, so the
    // poll that stands in for it passes that moment over too.
    const HWND window = GetForegroundWindow();
    if (gWatch && window && window != gWatch->told_) gWatch->Tell(window, GetTickCount());
}

// Synthesised input reaches only programs at this program's integrity level or below: "This
// function is subject to UIPI. Applications are permitted to inject input only into
// applications that are at an equal or lesser integrity level" (learn.microsoft.com/windows/
// win32/api/winuser/nf-winuser-sendinput), and the refusal is not told. Whether the system
// still calls our low-level hooks for input bound for such a window the documentation does not
// say; letting the input pass is right either way. A program whose level cannot be read
// (opening an elevated process's token is refused to a program that is not elevated) counts
// as higher.
ForegroundProgram ForegroundWatch::ProgramOf(HWND window) {
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId) ||
        processId == GetCurrentProcessId())
        return {};
    ForegroundProgram program;
    program.fileName = FileNameOfPath(ImagePathOf(ProgramProcessOf(window, processId)));
    if (test_switches::CountsAsHigherIntegrity(processId)) {
        program.reachable = false;
        return program;
    }
    const std::optional<DWORD> own = OwnIntegrity();
    if (!own) return program;  // nothing to compare with: as before
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    const std::optional<DWORD> theirs =
        process ? IntegrityOf(process.get()) : std::optional<DWORD>();
    program.reachable = theirs && *theirs <= *own;
    return program;
}

// `time` is the event's own time (dwmsEventTime), on the clock of message times.
void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD,
                                       DWORD time) {
    if (gWatch && object == OBJID_WINDOW) gWatch->Tell(window, time);
}

void ForegroundWatch::Tell(HWND window, DWORD time) {
    told_ = window;
    ForegroundProgram program = ProgramOf(window);
    program.since = time;
    if (listener_) listener_(program);
}

}  // namespace tressel
