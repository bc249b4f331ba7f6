#include "wine/support/X1ProgramSettings.h"

#include <windows.h>

#include <algorithm>

namespace tressel::testing {

std::string OwnFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of('\\') + 1);
}

std::string X1CopyPasteOwnNativeSettings() {
    const std::string chord = "2=2\r\n4=0\r\n5=\r\n6=1\r\n8=\r\n";
    return "[X1ButtonSetting]\r\n0=Copy\r\n1=1\r\n3=67\r\n" + chord +
           "[Programs]\r\n1=NOTEPAD.EXE\r\n[X1ButtonSetting:notepad.exe]\r\n0=Paste\r\n1=1\r\n"
           "3=86\r\n" +
           chord + "[X1ButtonSetting:" + OwnFileName() + "]\r\n0=X1 Button\r\n1=0\r\n";
}

bool TypedKey(const Recorder::Events& events, std::size_t from, unsigned long vk) {
    return std::any_of(events.begin() + static_cast<std::ptrdiff_t>(from), events.end(),
                       [&](const RecordedEvent& e) {
                           return e.kind == RecordedEvent::Key && e.injected &&
                                  e.message == WM_KEYDOWN && e.vk == vk;
                       });
}

const char* NameOf(X1Did did) {
    switch (did) {
        case X1Did::Native:
            return "native";
        case X1Did::Pasted:
            return "Ctrl+V";
        case X1Did::Copied:
            return "Ctrl+C";
        case X1Did::Astray:
            return "astray";
    }
    return "?";
}

bool X1ClickTrace::Complete() const {
    return (pressesPassed > 0 && releasesPassed > 0) || (pressesMade > 0 && releasesMade > 0) ||
           pasted || copied;
}

X1Did X1ClickTrace::Verdict() const {
    const bool passed = pressesPassed > 0 || releasesPassed > 0;
    const bool made = pressesMade > 0 || releasesMade > 0;
    const bool passedOnce = pressesPassed == 1 && releasesPassed == 1 && !made;
    const bool madeOnce = pressesMade == 1 && releasesMade == 1 && !passed;
    if ((passedOnce || madeOnce) && !pasted && !copied) return X1Did::Native;
    if (!passed && pasted != copied) return pasted ? X1Did::Pasted : X1Did::Copied;
    return X1Did::Astray;
}

X1ClickTrace TraceX1Click(const Recorder::Events& events, std::size_t from) {
    X1ClickTrace trace;
    for (std::size_t i = from; i < events.size(); ++i) {
        const RecordedEvent& e = events[i];
        if (e.kind != RecordedEvent::Mouse || e.delta != XBUTTON2) continue;
        if (e.message == WM_XBUTTONDOWN) ++(e.injected ? trace.pressesMade : trace.pressesPassed);
        if (e.message == WM_XBUTTONUP) ++(e.injected ? trace.releasesMade : trace.releasesPassed);
    }
    trace.pasted = TypedKey(events, from, 'V');
    trace.copied = TypedKey(events, from, 'C');
    return trace;
}

}  // namespace tressel::testing
