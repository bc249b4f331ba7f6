#include "wine/support/UnixCommand.h"

#include <windows.h>

#include <cstdio>

#include "framework/UniqueHandle.h"
#include "wine/support/UnixFiles.h"

namespace tressel::testing {
namespace {

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                     nullptr) &&
           written == content.size();
}

bool ReadExitStatus(const std::wstring& marker, int& status) {
    FILE* file = _wfopen(marker.c_str(), L"rb");
    if (!file) return false;
    int value = -1;
    const bool complete = std::fscanf(file, "%d", &value) == 1;
    std::fclose(file);
    if (!complete) return false;
    status = value;
    return true;
}

}  // namespace

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

bool RunUnixCommand(const std::string& command, std::chrono::milliseconds timeout) {
    static int counter = 0;
    char base[128];
    std::snprintf(base, sizeof base, "/tmp/tressel-unix-%lu-%d",
                  static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
    const std::string script = std::string(base) + ".sh";
    const std::string marker = std::string(base) + ".status";
    const std::wstring dosScript = DosPathOf(script);
    const std::wstring dosMarker = DosPathOf(marker);
    DeleteFileW(dosMarker.c_str());
    // The status goes to a temporary name first and is renamed into place, so that a reader
    // never sees a half-written file.
    const std::string body = "(\n" + command + "\n)\necho $? > " + marker + ".tmp && mv " + marker +
                             ".tmp " + marker + "\n";
    if (!WriteWholeFile(dosScript, body)) {
        std::fprintf(stderr, "RunUnixCommand: cannot write %s\n", script.c_str());
        return false;
    }
    std::wstring commandLine = L"/bin/sh " + std::wstring(script.begin(), script.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "RunUnixCommand: could not start /bin/sh (error %lu)\n",
                     GetLastError());
        DeleteFileW(dosScript.c_str());
        return false;
    }
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = -1;
    bool finished = true;
    while (!ReadExitStatus(dosMarker, status)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "RunUnixCommand: %s did not finish\n", command.c_str());
            finished = false;
            break;
        }
        ::Sleep(2);  // polling interval
    }
    DeleteFileW(dosMarker.c_str());
    DeleteFileW(dosScript.c_str());
    if (!finished) return false;
    if (status != 0)
        std::fprintf(stderr, "RunUnixCommand: %s exited with %d\n", command.c_str(), status);
    return status == 0;
}

std::string ArtifactsDir() {
    // The tests run from <build>/wine-bin; artifacts go to <build>/artifacts.
    std::string bin = TRESSEL_TEST_BIN_DIR;
    const std::string dir = bin.substr(0, bin.find_last_of('/')) + "/artifacts";
    RunUnixCommand("mkdir -p " + ShellQuote(dir));
    return dir;
}

}  // namespace tressel::testing
