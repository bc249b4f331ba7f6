#include "wine/support/StartProcess.h"

#include <cstdio>
#include <vector>

namespace tressel::testing {

StartedProcess StartProcess(const std::wstring& commandLine, const wchar_t* currentFolder) {
    constexpr int kTries = 3;
    StartedProcess started;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           currentFolder, &startup, &info)) {
            started.process.reset(info.hProcess);
            started.thread.reset(info.hThread);
            started.processId = info.dwProcessId;
            started.threadId = info.dwThreadId;
            return started;
        }
        std::fprintf(stderr, "StartProcess: try %d of %d refused (error %lu): %ls\n", attempt,
                     kTries, GetLastError(), commandLine.c_str());
    }
    return started;
}

}  // namespace tressel::testing
