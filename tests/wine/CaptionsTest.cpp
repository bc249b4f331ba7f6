// The input buttons' captions on the real window: written in the dialog's face (not the System
// font a drawing context starts with), every letter of a program name in another script drawn,
// the default captions inside their boxes, the focus mark shown only once the keyboard is used,
// and captions and function menu in the system's colours under high contrast.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "controls/TransParentButton.h"
#include "framework/UniqueHandle.h"
#include "wine/ControlsTestHost.h"
#include "wine/support/DialogMetrics.h"
#include "wine/support/PhysicalInput.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/ScreenCapture.h"

namespace tressel::testing {
namespace {

constexpr COLORREF kCaptionColour = 0xC8C8C8;
constexpr int kRightButton = 1000;
constexpr int kMiddleButton = 1001;
constexpr int kInputButtons[] = {1000, 1001, 1002, 1003, 1004, 1005};

// The pixels of exactly `colour` in `area`, as offsets from its top-left corner, row by row:
// the fully covered pixels of a caption, whatever the smoothing does at its edges.
std::vector<POINT> Ink(const ScreenCapture& shot, const RECT& area, COLORREF colour) {
    std::vector<POINT> ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shot.Pixel(x, y) == colour) ink.push_back({x - area.left, y - area.top});
    return ink;
}

RECT Bounds(const std::vector<POINT>& ink) {
    RECT b{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (POINT p : ink) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x + 1);
        b.bottom = std::max(b.bottom, p.y + 1);
    }
    return b;
}

bool SameInk(const std::vector<POINT>& a, const std::vector<POINT>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; });
}

// The fully covered pixels of `text` written in `face`, 16 pixels high and bold, smoothed as
// ClearType smooths, in the caption colour: the caption as that font writes it.
std::vector<POINT> WrittenInk(const wchar_t* face, const std::wstring& text) {
    LOGFONTW description{};
    description.lfHeight = 16;
    description.lfWeight = FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    constexpr int kWidth = 400, kHeight = 40;
    HDC screen = GetDC(nullptr);
    UniqueMemoryDC dc(CreateCompatibleDC(screen));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, kWidth, kHeight));
    ReleaseDC(nullptr, screen);
    UniqueFont font(CreateFontIndirectW(&description));
    HGDIOBJ oldBitmap = SelectObject(dc.get(), bitmap.get());
    HGDIOBJ oldFont = SelectObject(dc.get(), font.get());
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), kCaptionColour);
    TextOutW(dc.get(), 4, 4, text.c_str(), static_cast<int>(text.size()));
    std::vector<POINT> ink;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (GetPixel(dc.get(), x, y) == kCaptionColour) ink.push_back({x, y});
    SelectObject(dc.get(), oldFont);
    SelectObject(dc.get(), oldBitmap);
    return ink;
}

// `ink` moved so that its bounds start at (0, 0): the shape, wherever it was written.
std::vector<POINT> Shape(std::vector<POINT> ink) {
    const RECT b = Bounds(ink);
    for (POINT& p : ink) p = {p.x - b.left, p.y - b.top};
    return ink;
}

// The pixels of `area` that differ from `reference` (a picture of the same area).
std::vector<POINT> Changed(const ScreenCapture& shot, const ScreenCapture& reference,
                           const RECT& area) {
    std::vector<POINT> changed;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shot.Pixel(x, y) != reference.Pixel(x, y))
                changed.push_back({x - area.left, y - area.top});
    return changed;
}

class CaptionsTest : public RunningTresselTest {
  protected:
    void SetUp() override {
        RunningTresselTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(MovePointerAway());  // no button in its hover colour
    }
};

TEST_F(CaptionsTest, DefaultCaptionsAreInTheDialogsFaceAndInsideTheirBoxes) {
    const std::wstring right = L"Right Button";
    wchar_t shown[64] = {};
    GetWindowTextW(GetDlgItem(window_, kRightButton), shown, 64);
    ASSERT_EQ(shown, right);
    // The dialog's face and the System font write the caption in different shapes.
    const std::vector<POINT> dialogFace = Shape(WrittenInk(L"Microsoft Sans Serif", right));
    ASSERT_FALSE(SameInk(dialogFace, Shape(WrittenInk(L"System", right))));

    ScreenCapture shot;
    std::string failures;
    EXPECT_TRUE(WaitUntil([&] {
        failures.clear();
        if (!shot.Capture()) return false;
        for (int id : kInputButtons) {
            const RECT button = ScreenRectOf(window_, id);
            const std::vector<POINT> ink = Ink(shot, button, kCaptionColour);
            const RECT b = Bounds(ink);
            const LONG width = button.right - button.left, height = button.bottom - button.top;
            if (ink.empty() || b.left < 1 || b.top < 1 || b.right > width - 1 ||
                b.bottom > height - 1)
                failures += "caption of " + std::to_string(id) + " not inside its box\n";
        }
        return failures.empty();
    })) << failures;
    EXPECT_TRUE(
        SameInk(Shape(Ink(shot, ScreenRectOf(window_, kRightButton), kCaptionColour)), dialogFace))
        << "the caption is not written in the dialog's face, 16 pixels high and bold";
}

// Each letter alone on the button: drawn, and not the box a missing letter is drawn as. Wine 8
// links no installed font to the dialog's face for CJK (its links name Windows' own font files),
// so a CJK letter is a box here; on Windows font linking draws it (SystemLink of the face).
TEST_F(CaptionsTest, EveryLetterOfACyrillicAndGreekProgramNameIsDrawn) {
    const std::wstring name = L"Блокнот Σημειώσεις.exe";
    const RECT button = ScreenRectOf(window_, kRightButton);
    // The button with a blank caption: what each letter is drawn over.
    ScreenCapture blank;
    ASSERT_TRUE(
        WaitUntil([&] { return blank.Capture() && !Ink(blank, button, kCaptionColour).empty(); }));
    SetWindowTextW(GetDlgItem(window_, kRightButton), L" ");
    ASSERT_TRUE(
        WaitUntil([&] { return blank.Capture() && Ink(blank, button, kCaptionColour).empty(); }));
    // Shows `text` and returns the pixels it changed, once they have changed from `before`.
    ScreenCapture shot;
    auto show = [&](const std::wstring& text, const std::vector<POINT>& before) {
        SetWindowTextW(GetDlgItem(window_, kRightButton), text.c_str());
        std::vector<POINT> changed;
        WaitUntil([&] {
            if (!shot.Capture()) return false;
            changed = Changed(shot, blank, button);
            return !changed.empty() && !SameInk(changed, before);
        });
        return changed;
    };
    // U+0378 is unassigned: no font has it, and a font draws its missing-letter box for it (or
    // nothing at all).
    const std::vector<POINT> box = show(L"\u0378", {});
    std::vector<POINT> previous = box;
    std::wstring seen;
    for (wchar_t letter : name) {
        if (letter == L' ' || letter == L'.' || seen.find(letter) != std::wstring::npos) continue;
        seen += letter;
        const std::vector<POINT> shown = show(std::wstring(1, letter), previous);
        if (shown.empty()) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<int>(letter) << " not drawn";
            break;  // each further letter would wait in vain as well
        }
        EXPECT_FALSE(SameInk(shown, box))
            << "U+" << std::hex << static_cast<int>(letter) << " drawn as a box";
        previous = shown;
    }
}

// The user's "always underline access keys" setting (off, Windows' default) for the processes
// started while the object lives; the setting before is put back.
class ScopedKeyboardCues {
  public:
    explicit ScopedKeyboardCues(bool shown) {
        SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &previous_, 0);
        Set(shown ? TRUE : FALSE);
    }
    ~ScopedKeyboardCues() { Set(previous_); }

  private:
    static void Set(BOOL shown) {
        SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0,
                              reinterpret_cast<PVOID>(static_cast<INT_PTR>(shown)),
                              SPIF_UPDATEINIFILE);
    }
    BOOL previous_ = FALSE;
};

// Caption-coloured pixels on the row one pixel inside the top edge of button `id`: the top
// side of the dotted frame, which no caption reaches.
int MarkPixels(const ScreenCapture& shot, HWND window, int id) {
    const RECT r = ScreenRectOf(window, id);
    return static_cast<int>(
        Ink(shot, {r.left, r.top + 1, r.right, r.top + 2}, kCaptionColour).size());
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

class FocusMarkTest : public RunningTresselTest {
  protected:
    FocusMarkTest() : RunningTresselTest({.startAtSetUp = false}) {}
};

TEST_F(FocusMarkTest, ShowsOnlyOnceTheKeyboardMovesTheFocus) {
    const ScopedKeyboardCues cues(false);  // read when the buttons are set up
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    const HWND right = GetDlgItem(window_, kRightButton);
    const HWND middle = GetDlgItem(window_, kMiddleButton);

    // A click gives the button the focus (and opens its menu, closed again without a key).
    const POINT at = CentreOf(ScreenRectOf(window_, kRightButton));
    ASSERT_TRUE(PhysicalInput::MoveTo(at.x, at.y) && PhysicalInput::Click(x11_button::kLeft));
    ASSERT_NE(AwaitOnlyMenu(app_.Id()), nullptr);
    PostMessageW(window_, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); }));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(window_) == right; }));
    // Off the button: its face is drawn again in the caption colour, with the focus on it.
    ASSERT_TRUE(MovePointerAway());
    ScreenCapture shot;
    const RECT rightRect = ScreenRectOf(window_, kRightButton);
    ASSERT_TRUE(WaitUntil([&] {
        return shot.Capture() && !Ink(shot, rightRect, kCaptionColour).empty() &&
               Ink(shot, rightRect, 0xFEFFFF).empty();
    }));
    EXPECT_EQ(MarkPixels(shot, window_, kRightButton), 0) << "a mark after a mouse click";
    EXPECT_EQ(MarkPixels(shot, window_, kMiddleButton), 0);

    ASSERT_TRUE(PhysicalInput::KeyPress("Tab"));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(window_) == middle; }));
    const RECT middleRect = ScreenRectOf(window_, kMiddleButton);
    const int dots = (middleRect.right - middleRect.left - 2) / 2;
    EXPECT_TRUE(WaitUntil([&] {
        return shot.Capture() && MarkPixels(shot, window_, kMiddleButton) >= dots - 2;
    })) << MarkPixels(shot, window_, kMiddleButton)
        << " of " << dots << " dots after Tab";
    EXPECT_EQ(MarkPixels(shot, window_, kRightButton), 0) << "the mark stayed behind";
}

// The UI state messages Windows' dialog manager sends when the keyboard is used (Wine's sends
// none), on a button of a plain host window: the mark follows them while the button has the
// focus.
TEST(FocusMarkUiStateTest, FollowsTheWindowsUiState) {
    constexpr int kX = 20, kY = 20, kW = 120, kH = 24;
    ControlsTestHost host(160, 64, RGB(20, 90, 40), RGB(20, 90, 40));
    CTransParentButton button;
    button.SetCaptionColour(kCaptionColour);
    host.AddButton(1000, L"R Button", kX, kY, kW, kH, button);
    auto dots = [&] {
        int count = 0;
        for (int x = kX; x < kX + kW; ++x) count += host.Pixel(x, kY + 1) == kCaptionColour;
        return count;
    };
    auto tell = [&](WORD action) {
        SendMessageW(button.hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS), 0);
        PumpMessages();
    };
    tell(UIS_SET);
    SetFocus(button.hwnd());
    PumpMessages();
    ASSERT_EQ(GetFocus(), button.hwnd());
    EXPECT_EQ(dots(), 0) << "a mark while focus cues are hidden";
    tell(UIS_CLEAR);
    EXPECT_GE(dots(), (kW - 2) / 2 - 2) << "no mark once focus cues show";
    tell(UIS_SET);
    EXPECT_EQ(dots(), 0) << "the mark stayed when focus cues were hidden again";
}

// Wine 8 refuses SPI_SETHIGHCONTRAST, so the test build's stand-in turns it on
// (TRESSEL_TEST_HIGH_CONTRAST_WHILE), and the system's notice of the change is sent by hand.
constexpr wchar_t kHighContrastEvent[] = L"TresselTestHighContrast";

class HighContrastTest : public RunningTresselTest {
  protected:
    HighContrastTest() : RunningTresselTest({.startAtSetUp = false}) {}
    void TearDown() override {
        SetEnvironmentVariableW(L"TRESSEL_TEST_HIGH_CONTRAST_WHILE", nullptr);
        RunningTresselTest::TearDown();
    }

    // The share (in per cent) of the function menu's pixels in `colour`, once the menu of the
    // right button shows its entries' text in `text`; the menu is closed again.
    int MenuShare(COLORREF colour, COLORREF text) {
        const POINT at = CentreOf(ScreenRectOf(window_, kRightButton));
        static int shift = 20;  // two points apart: no double click
        shift = -shift;
        if (!PhysicalInput::MoveTo(at.x + shift, at.y) || !PhysicalInput::Click(x11_button::kLeft))
            return -1;
        const HWND menu = AwaitOnlyMenu(app_.Id());
        if (!menu) return -1;
        RECT r{};
        GetWindowRect(menu, &r);
        ScreenCapture shot;
        int share = -1;
        WaitUntil([&] {
            if (!shot.Capture() || shot.Count(r, text) < 50) return false;
            share = 100 * shot.Count(r, colour) / ((r.right - r.left) * (r.bottom - r.top));
            return true;
        });
        PostMessageW(window_, WM_CANCELMODE, 0, 0);
        WaitUntil([&] { return VisibleMenuWindows(app_.Id()).empty(); });
        return share;
    }
};

TEST_F(HighContrastTest, CaptionsAndTheFunctionMenuTakeTheSystemColoursWhenItTurnsOn) {
    SetEnvironmentVariableW(L"TRESSEL_TEST_HIGH_CONTRAST_WHILE", kHighContrastEvent);
    ASSERT_NO_FATAL_FAILURE(StartTressel());
    const COLORREF buttonText = GetSysColor(COLOR_BTNTEXT), buttonFace = GetSysColor(COLOR_BTNFACE);
    const COLORREF menuBack = GetSysColor(COLOR_MENU), menuText = GetSysColor(COLOR_MENUTEXT);
    const RECT button = ScreenRectOf(window_, kRightButton);
    ASSERT_TRUE(MovePointerAway());

    // Off: the skin's caption colour over the skin, the menu over its picture.
    ScreenCapture shot;
    ASSERT_TRUE(
        WaitUntil([&] { return shot.Capture() && Ink(shot, button, kCaptionColour).size() > 20; }));
    const int pictureShare = MenuShare(menuBack, 0x000000);
    ASSERT_GE(pictureShare, 0) << "no function menu";
    ASSERT_LT(pictureShare, 50) << "the menu's picture is mostly the system's menu colour";
    // Off the button again, and its face drawn so: only the notice may draw it anew.
    ASSERT_TRUE(MovePointerAway());
    ASSERT_TRUE(WaitUntil([&] {
        return shot.Capture() && Ink(shot, button, kCaptionColour).size() > 20 &&
               Ink(shot, button, 0xFEFFFF).empty();
    }));

    UniqueKernelHandle on(CreateEventW(nullptr, TRUE, FALSE, kHighContrastEvent));
    ASSERT_TRUE(on);
    SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return shot.Capture() && Ink(shot, button, buttonText).size() > 20 &&
               Ink(shot, button, kCaptionColour).empty() &&
               shot.Pixel(button.left + 3, button.top + 3) == buttonFace;
    })) << "the caption is not button text on the button face";
    EXPECT_GT(MenuShare(menuBack, menuText), 50) << "the menu kept its picture";
}

}  // namespace
}  // namespace tressel::testing
