// How the real Tressel.exe looks on the screen under Wine, checked on screenshots of the X
// display: the skin at the window's origin, the input buttons' captions and their hover colour
// under a physical pointer, and dragging the window by its body.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "wine/support/PhysicalInput.h"
#include "wine/support/ScreenCapture.h"
#include "wine/support/TresselProcess.h"
#include "wine/support/UnixCommand.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

using namespace std::chrono_literals;

constexpr COLORREF kCaptionColour = 0xC8C8C8;
constexpr COLORREF kHoverColour = 0xFEFFFF;
constexpr int kRightButton = 1000;
constexpr int kSkinBitmap = 140;

// The skin picture as the program carries it, read from its resources: row by row, top down.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Picture LoadSkin(const std::wstring& exe) {
    Picture picture;
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return picture;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(kSkinBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap) {
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        BITMAPINFO request{};
        request.bmiHeader.biSize = sizeof request.bmiHeader;
        request.bmiHeader.biWidth = info.bmWidth;
        request.bmiHeader.biHeight = -info.bmHeight;  // top down
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> bgrx(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
        HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bgrx.data(),
                                   &request, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (rows == info.bmHeight) {
            picture.width = info.bmWidth;
            picture.height = info.bmHeight;
            for (DWORD v : bgrx)
                picture.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
        }
        DeleteObject(bitmap);
    }
    FreeLibrary(module);
    return picture;
}

struct Box {
    int count = 0;
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
};

// Where the pixels of `colour` lie inside `area`.
Box Find(const ScreenCapture& shot, const RECT& area, COLORREF colour) {
    Box box;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shot.Pixel(x, y) == colour) {
                ++box.count;
                box.bounds.left = std::min<LONG>(box.bounds.left, x);
                box.bounds.top = std::min<LONG>(box.bounds.top, y);
                box.bounds.right = std::max<LONG>(box.bounds.right, x + 1);
                box.bounds.bottom = std::max<LONG>(box.bounds.bottom, y + 1);
            }
    return box;
}

class WindowLookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ForgetUserSettings();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder_ = MakeTestInstallation(std::wstring(name.begin(), name.end()));
        app_ = TresselProcess::Start(folder_);
        window_ = app_.WaitForWindow();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(app_.WaitForStartUp(window_));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }));
        // Off the window, so that no button is in its hover state.
        ASSERT_TRUE(MovePointerAway());
    }

    void TearDown() override {
        app_.Terminate();
        ForgetUserSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    RECT ControlRect(int controlId) const {
        RECT r{};
        GetWindowRect(GetDlgItem(window_, controlId), &r);
        return r;
    }

    // Waits until a fresh screenshot satisfies `condition`; the last one is left in `shot`.
    template <typename Condition>
    bool WaitForScreen(ScreenCapture& shot, Condition condition,
                       std::chrono::milliseconds timeout = 20s) {
        return WaitUntil([&] { return shot.Capture() && condition(shot); }, timeout);
    }

    std::wstring folder_;
    TresselProcess app_;
    HWND window_ = nullptr;
};

TEST_F(WindowLookTest, SkinLiesAtTheWindowOriginAndTheWindowIsSaved) {
    const Picture skin = LoadSkin(folder_ + L"\\Tressel.exe");
    ASSERT_GT(skin.width, 0) << "cannot read the skin from the program's resources";

    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    RECT client{};
    GetClientRect(window_, &client);
    std::vector<RECT> controls;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        controls.push_back(r);
    }
    auto onControl = [&](int x, int y) {
        const POINT p{x, y};
        for (const RECT& r : controls)
            if (PtInRect(&r, p)) return true;
        return false;
    };

    // Every third pixel of the window outside the controls shows the skin's pixel, except where
    // the boxes, titles and leader lines are drawn over it; and the picture lies exactly at the
    // origin: shifted by a pixel, fewer pixels agree.
    int compared = 0, equal = 0;
    ScreenCapture shot;
    auto agreeing = [&](const ScreenCapture& s, int dx, int dy) {
        int n = 0, same = 0;
        const int width = std::min<int>(client.right, skin.width) - 1;
        const int height = std::min<int>(client.bottom, skin.height) - 1;
        for (int y = 1; y < height; y += 3)
            for (int x = 1; x < width; x += 3) {
                const int sx = origin.x + x, sy = origin.y + y;
                if (!s.Contains(sx, sy) || onControl(sx, sy)) continue;
                ++n;
                if (s.Pixel(sx, sy) == skin.At(x + dx, y + dy)) ++same;
            }
        return std::pair{n, same};
    };
    auto skinShown = [&](const ScreenCapture& s) {
        std::tie(compared, equal) = agreeing(s, 0, 0);
        if (compared < 10000 || equal < compared * 9 / 10) return false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if ((dx || dy) && agreeing(s, dx, dy).second >= equal) return false;
        return true;
    };
    const bool shown = WaitForScreen(shot, skinShown);
    std::printf("skin %dx%d, client %ldx%ld at (%ld, %ld): %d of %d sampled pixels equal\n",
                skin.width, skin.height, client.right, client.bottom, origin.x, origin.y, equal,
                compared);
    EXPECT_TRUE(shown);

    RECT window{};
    GetWindowRect(window_, &window);
    const std::string file = ArtifactsDir() + "/tressel-window.png";
    EXPECT_TRUE(SaveScreenPng(file, &window)) << file;
}

TEST_F(WindowLookTest, CaptionIsCentredAndTakesTheHoverColourUnderThePointer) {
    const RECT button = ControlRect(kRightButton);
    ScreenCapture shot;

    // Idle: the caption in the caption colour, centred on the button.
    Box idle;
    ASSERT_TRUE(WaitForScreen(shot, [&](const ScreenCapture& s) {
        idle = Find(s, button, kCaptionColour);
        return idle.count > 20 && Find(s, button, kHoverColour).count == 0;
    })) << "no idle caption in 0xC8C8C8";
    const int buttonCentreX = (button.left + button.right) / 2;
    const int buttonCentreY = (button.top + button.bottom) / 2;
    const int textCentreX = (idle.bounds.left + idle.bounds.right) / 2;
    const int textCentreY = (idle.bounds.top + idle.bounds.bottom) / 2;
    std::printf("button (%ld,%ld)-(%ld,%ld), caption ink (%ld,%ld)-(%ld,%ld), %d pixels\n",
                button.left, button.top, button.right, button.bottom, idle.bounds.left,
                idle.bounds.top, idle.bounds.right, idle.bounds.bottom, idle.count);
    EXPECT_LE(std::abs(textCentreX - buttonCentreX), 3);
    EXPECT_LE(std::abs(textCentreY - buttonCentreY), 4);

    // The pointer on the button (at its left end, clear of the text): the hover colour.
    ASSERT_TRUE(PhysicalInput::MoveTo(button.left + 4, buttonCentreY));
    Box hover;
    EXPECT_TRUE(WaitForScreen(shot, [&](const ScreenCapture& s) {
        hover = Find(s, button, kHoverColour);
        return hover.count > 20 && Find(s, button, kCaptionColour).count == 0;
    })) << "the caption did not take 0xFEFFFF";
    EXPECT_EQ(hover.count, idle.count) << "the same text in another colour";

    // Off the button again: back to the caption colour.
    ASSERT_TRUE(MovePointerAway());
    EXPECT_TRUE(WaitForScreen(shot, [&](const ScreenCapture& s) {
        return Find(s, button, kCaptionColour).count == idle.count &&
               Find(s, button, kHoverColour).count == 0;
    })) << "the caption kept the hover colour";
}

// True once the X server holds `window`'s X window at `left`, `top` of the desktop. Wine keeps
// the X window's id in the "__wine_x11_whole_window" property.
bool XServerHasWindowAt(HWND window, LONG left, LONG top) {
    const auto id = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
    if (!id) return false;
    return RunUnixCommand("xwininfo -id " + std::to_string(id) +
                          " | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} "
                          "END{exit !(x==" +
                          std::to_string(left) + " && y==" + std::to_string(top) + ")}'");
}

// Wine reports the pointer at `at` and holds `window` at `rect` on both sides: Windows' and the X
// server's.
bool SettledAt(HWND window, POINT at, const RECT& rect) {
    POINT cursor{};
    RECT now{};
    return GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y &&
           GetWindowRect(window, &now) && EqualRect(&now, &rect) &&
           XServerHasWindowAt(window, rect.left, rect.top);
}

TEST_F(WindowLookTest, DraggingTheBodyMovesTheWindowByTheSameOffset) {
    constexpr int kDx = 40, kDy = -30;
    const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    auto moveLoop = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == window_ &&
               (info.flags & GUI_INMOVESIZE);
    };
    RECT before{};
    GetWindowRect(window_, &before);
    RECT held = before;
    OffsetRect(&held, kDx, kDy);
    // A point of the body: inside the client area, left of the input buttons, above "SAVE".
    const POINT grab{before.left + 60, ControlRect(1007).top - 60};
    const POINT dropAt{grab.x + kDx, grab.y + kDy};
    POINT client = grab;
    ScreenToClient(window_, &client);
    ASSERT_EQ(ChildWindowFromPoint(window_, client), window_) << "the grab point is a control";

    // Each step waits until Wine has taken the last one in. Under a Wine virtual desktop a button
    // or motion event carries coordinates relative to its X window, which Wine maps with the
    // window's newest position: an event the X server made before it had carried out a move
    // lands off by that move (seen: 41, -32 for 40, -30). So the press waits until Wine has the
    // pointer at the grab point and the X server has the window where Windows has it, the motion
    // until the move loop holds the pointer, and the release until Wine has the pointer at the
    // drop point and both sides have the window there. Windows reports screen coordinates.
    ASSERT_TRUE(PhysicalInput::MoveTo(grab.x, grab.y));
    ASSERT_TRUE(WaitUntil([&] { return SettledAt(window_, grab, before); }))
        << "the pointer or the window did not settle before the press";
    ASSERT_TRUE(PhysicalInput::Press(x11_button::kLeft));
    const bool looping = WaitUntil(moveLoop);
    EXPECT_TRUE(looping) << "pressing the body began no move";
    PhysicalInput::Xdotool("mousemove --sync " + std::to_string(dropAt.x) + " " +
                           std::to_string(dropAt.y));
    const bool followed = looping && WaitUntil([&] { return SettledAt(window_, dropAt, held); });
    RECT seen{};
    GetWindowRect(window_, &seen);
    PhysicalInput::Release(x11_button::kLeft);
    EXPECT_TRUE(followed) << "the window followed by (" << seen.left - before.left << ", "
                          << seen.top - before.top << ")";
    // Letting go ends the move loop and leaves the window where it was dropped.
    EXPECT_TRUE(WaitUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == nullptr &&
               !(info.flags & GUI_INMOVESIZE);
    })) << "the move did not end";
    RECT dropped{};
    GetWindowRect(window_, &dropped);
    EXPECT_EQ(dropped.left, before.left + kDx);
    EXPECT_EQ(dropped.top, before.top + kDy);
    EXPECT_EQ(dropped.right - dropped.left, before.right - before.left);
    EXPECT_EQ(dropped.bottom - dropped.top, before.bottom - before.top);
    // A drag is not a click: no menu opened, nothing changed.
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder_) / L"ZornSetting.ini"));
}

}  // namespace
}  // namespace tressel::testing
