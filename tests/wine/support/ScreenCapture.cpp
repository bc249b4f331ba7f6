#include "wine/support/ScreenCapture.h"

#include <cstdio>
#include <cstdlib>

#include "wine/support/UnixCommand.h"
#include "wine/support/UnixFiles.h"

namespace tressel::testing {
namespace {

std::string Display() {
    const char* display = std::getenv("DISPLAY");
    return display ? display : "";
}

// The number after the blanks and comments at `file`'s position in a PNM header.
bool ReadHeaderNumber(FILE* file, int& value) {
    int c = std::fgetc(file);
    while (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '#') {
        if (c == '#')
            while (c != '\n' && c != EOF) c = std::fgetc(file);
        c = std::fgetc(file);
    }
    if (c < '0' || c > '9') return false;
    value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        c = std::fgetc(file);
    }
    return true;  // the single blank after the number is consumed
}

struct WindowSearch {
    DWORD processId;
    DWORD shellId;
    std::string found;
};

BOOL CALLBACK NoteOtherWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!IsWindowVisible(window) || pid == search->processId || pid == search->shellId) return TRUE;
    char className[64] = {}, title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    search->found += std::string(" \"") + title + "\" (" + className + ")";
    return TRUE;
}

}  // namespace

std::string OtherWindowsShowing(DWORD processId) {
    WindowSearch search{processId, 0, {}};
    GetWindowThreadProcessId(FindWindowW(L"Shell_TrayWnd", nullptr), &search.shellId);
    EnumWindows(&NoteOtherWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

::testing::AssertionResult SaveUserPicture(const std::string& file, DWORD processId) {
    const std::string others = OtherWindowsShowing(processId);
    if (!others.empty()) return ::testing::AssertionFailure() << "other windows show:" << others;
    if (!SaveScreenPng(file)) return ::testing::AssertionFailure() << "no picture " << file;
    return ::testing::AssertionSuccess();
}

bool ScreenCapture::Capture() {
    if (Display().empty()) {
        std::fprintf(stderr, "ScreenCapture: DISPLAY is not set (run under tools/wine-run.sh)\n");
        return false;
    }
    char name[96];
    std::snprintf(name, sizeof name, "/tmp/tressel-capture-%lu.ppm",
                  static_cast<unsigned long>(GetCurrentProcessId()));
    if (!RunUnixCommand("import -display " + ShellQuote(Display()) +
                        " -window root -depth 8 ppm:" + ShellQuote(name)))
        return false;
    const std::wstring dosName = DosPathOf(name);
    FILE* file = _wfopen(dosName.c_str(), L"rb");
    if (!file) return false;
    bool ok = std::fgetc(file) == 'P' && std::fgetc(file) == '6';
    int maxValue = 0;
    ok = ok && ReadHeaderNumber(file, width_) && ReadHeaderNumber(file, height_) &&
         ReadHeaderNumber(file, maxValue) && maxValue == 255 && width_ > 0 && height_ > 0;
    if (ok) {
        rgb_.resize(static_cast<std::size_t>(width_) * height_ * 3);
        ok = std::fread(rgb_.data(), 1, rgb_.size(), file) == rgb_.size();
    }
    std::fclose(file);
    DeleteFileW(dosName.c_str());
    if (!ok) {
        std::fprintf(stderr, "ScreenCapture: unreadable capture\n");
        width_ = height_ = 0;
        rgb_.clear();
    }
    return ok;
}

COLORREF ScreenCapture::Pixel(int x, int y) const {
    if (!Contains(x, y)) return CLR_INVALID;
    const unsigned char* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
    return RGB(p[0], p[1], p[2]);
}

int ScreenCapture::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == colour) ++count;
    return count;
}

bool SaveScreenPng(const std::string& file, const RECT* crop) {
    std::string command = "import -display " + ShellQuote(Display()) + " -window root";
    if (crop) {
        command += " -crop " + std::to_string(crop->right - crop->left) + "x" +
                   std::to_string(crop->bottom - crop->top) + "+" + std::to_string(crop->left) +
                   "+" + std::to_string(crop->top) + " +repage";
    }
    return RunUnixCommand(command + " png:" + ShellQuote(file));
}

}  // namespace tressel::testing
