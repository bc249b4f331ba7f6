#pragma once
// Starting a Windows program from a Wine test. Wine's CreateProcessW has refused a start once in
// some thousands (in the test that starts and kills a saving process 200 times), with nothing
// wrong on the test's side; no test here is about that, so a refused start is told on stderr and
// tried twice more. A program that cannot start at all still fails every try.
// Unix programs do not start this way (see UnixCommand.h): for them Wine reports success with no
// process handle.

#include <windows.h>

#include <string>

#include "framework/UniqueHandle.h"

namespace tressel::testing {

struct StartedProcess {
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    DWORD threadId = 0;
};

// `process` is empty when every try failed.
StartedProcess StartProcess(const std::wstring& commandLine,
                            const wchar_t* currentFolder = nullptr);

}  // namespace tressel::testing
