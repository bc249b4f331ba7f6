#include "wine/support/XdotoolSession.h"

#include <windows.h>

#include <cstdio>

#include "framework/UniqueHandle.h"
#include "wine/support/UnixCommand.h"
#include "wine/support/UnixFiles.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

std::string ReadSmallFile(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    char buffer[64] = {};
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer - 1, &read, nullptr)) return {};
    return std::string(buffer, read);
}

}  // namespace

XdotoolSession::XdotoolSession() {
    static int counter = 0;
    char base[128];
    std::snprintf(base, sizeof base, "/tmp/tressel-xdotool-%lu-%d",
                  static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
    base_ = base;
    const std::string commands = ShellQuote(base_ + ".commands");
    const std::string pid = ShellQuote(base_ + ".pid");
    // The pid file is written under another name and renamed, so that it is read whole.
    if (!RunUnixCommand(": > " + commands + "; rm -f " + pid + "; (tail -n +1 -f " + commands +
                        " & echo $! > " + pid + ".tmp && mv " + pid + ".tmp " + pid +
                        "; wait) 2>/dev/null | /usr/bin/xdotool - >/dev/null 2>&1 &"))
        return;
    const std::wstring pidPath = DosPathOf(base_ + ".pid");
    std::string noted;
    if (!WaitUntil([&] { return !(noted = ReadSmallFile(pidPath)).empty(); })) {
        std::fprintf(stderr, "XdotoolSession: xdotool did not start\n");
        return;
    }
    while (!noted.empty() && (noted.back() == '\n' || noted.back() == '\r')) noted.pop_back();
    tailPid_ = noted;
}

XdotoolSession::~XdotoolSession() {
    if (Running()) RunUnixCommand("kill " + tailPid_);
    RunUnixCommand("rm -f " + ShellQuote(base_ + ".commands") + " " + ShellQuote(base_ + ".pid"));
}

bool XdotoolSession::Send(const std::string& command) const {
    if (!Running()) return false;
    UniqueFileHandle file(CreateFileW(DosPathOf(base_ + ".commands").c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string line = command + "\n";
    DWORD written = 0;
    return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

}  // namespace tressel::testing
