#include "wine/support/PhysicalInput.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "framework/UniqueHandle.h"

namespace tressel::testing {
namespace {

constexpr auto kTimeout = std::chrono::seconds(20);

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The same file seen from Windows: Wine maps Z: to the Unix root.
std::wstring DosPathOf(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
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

bool PhysicalInput::Xdotool(const std::string& arguments) {
    static int counter = 0;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "PhysicalInput: DISPLAY is not set (run under tools/wine-run.sh)\n");
        return false;
    }
    char marker[128];
    std::snprintf(marker, sizeof marker, "/tmp/tressel-xdotool-%lu-%d",
                  static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
    const std::wstring dosMarker = DosPathOf(marker);
    DeleteFileW(dosMarker.c_str());
    // The status goes to a temporary name first and is renamed into place, so that a reader
    // never sees a half-written file.
    std::wstring command = L"/bin/sh -c \"/usr/bin/xdotool " + Widen(arguments) + L"; echo $? > " +
                           Widen(marker) + L".tmp && mv " + Widen(marker) + L".tmp " +
                           Widen(marker) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "PhysicalInput: could not start /bin/sh (error %lu)\n",
                     GetLastError());
        return false;
    }
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);

    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    int status = -1;
    while (!ReadExitStatus(dosMarker, status)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "PhysicalInput: xdotool %s did not finish\n", arguments.c_str());
            return false;
        }
        ::Sleep(1);  // polling interval
    }
    DeleteFileW(dosMarker.c_str());
    if (status != 0)
        std::fprintf(stderr, "PhysicalInput: xdotool %s exited with %d\n", arguments.c_str(),
                     status);
    return status == 0;
}

bool PhysicalInput::MoveTo(int x, int y) {
    // `--sync` waits for the pointer to move, which never happens when it is already there:
    // step one pixel aside first, so that the final move always is a motion.
    const std::string target = std::to_string(x) + " " + std::to_string(y);
    const std::string aside = std::to_string(x > 0 ? x - 1 : x + 1) + " " + std::to_string(y);
    return Xdotool("mousemove " + aside + " mousemove --sync " + target);
}

bool PhysicalInput::Press(int button) { return Xdotool("mousedown " + std::to_string(button)); }

bool PhysicalInput::Release(int button) { return Xdotool("mouseup " + std::to_string(button)); }

bool PhysicalInput::Click(int button) { return Xdotool("click " + std::to_string(button)); }

bool PhysicalInput::Wheel(int notches) {
    if (notches == 0) return true;
    const int button = notches > 0 ? x11_button::kWheelUp : x11_button::kWheelDown;
    return Xdotool("click --repeat " + std::to_string(notches > 0 ? notches : -notches) +
                   " --delay 1 " + std::to_string(button));
}

bool PhysicalInput::KeyPress(const std::string& keysym) { return Xdotool("key " + keysym); }

}  // namespace tressel::testing
