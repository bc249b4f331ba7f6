// The skinned buttons and their drawing helpers on real windows: the off-screen context, PNG
// resources through GDI+, the image button's composed looks and the transparent caption button.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "controls/GdiPlus.h"
#include "controls/GdiPlusBitmapResource.h"
#include "controls/GdipButton.h"
#include "controls/MemDC.h"
#include "controls/MemoryPicture.h"
#include "controls/TransParentButton.h"
#include "resource.h"
#include "wine/ControlsTestHost.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

constexpr int kNotAnImage = 900;  // a "PNG" resource holding text (ControlsTest.rc)
constexpr COLORREF kLeft = RGB(20, 90, 40);
constexpr COLORREF kRight = RGB(40, 30, 120);

class GdiPlusEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

  private:
    ULONG_PTR token_ = 0;
};
const auto* const kGdiPlus = ::testing::AddGlobalTestEnvironment(new GdiPlusEnvironment);

// --- CMemDC --------------------------------------------------------------------------------

struct MemoryTarget {
    MemoryPicture picture;
    MemoryTarget(int w, int h) {
        HDC screen = GetDC(nullptr);
        picture.Create(screen, w, h);
        ReleaseDC(nullptr, screen);
        RECT all{0, 0, w, h};
        FillRect(picture.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    COLORREF at(int x, int y) const { return GetPixel(picture.dc(), x, y); }
};

TEST(MemDCTest, DrawsInTargetCoordinatesAndCopiesOnlyItsRectangleWhenClosed) {
    MemoryTarget target(60, 40);
    const RECT area{10, 5, 30, 25};
    {
        CMemDC memory(target.picture.dc(), &area);
        ASSERT_TRUE(memory.offScreen());
        UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        const RECT all{0, 0, 60, 40};
        FillRect(memory, &all, red.get());
        // Nothing reaches the target before the context closes.
        EXPECT_EQ(target.at(15, 10), RGB(0, 0, 0));
    }
    EXPECT_EQ(target.at(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(target.at(29, 24), RGB(255, 0, 0));
    EXPECT_EQ(target.at(9, 5), RGB(0, 0, 0));
    EXPECT_EQ(target.at(30, 24), RGB(0, 0, 0));
    EXPECT_EQ(target.at(29, 25), RGB(0, 0, 0));
}

TEST(MemDCTest, CopiesABitmapSelectedIntoItAndGivesItBack) {
    MemoryTarget target(40, 30);
    MemoryTarget skin(40, 30);
    UniqueBrush green(CreateSolidBrush(RGB(0, 200, 0)));
    const RECT all{0, 0, 40, 30};
    FillRect(skin.picture.dc(), &all, green.get());
    // The skin's own bitmap, taken out of its context so that it can be selected elsewhere.
    HDC screen = GetDC(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 40, 30));
    ReleaseDC(nullptr, screen);
    {
        UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
        BitBlt(dc.get(), 0, 0, 40, 30, skin.picture.dc(), 0, 0, SRCCOPY);
        SelectObject(dc.get(), old);
    }
    {
        CMemDC memory(target.picture.dc(), nullptr);  // the target's clipping box: all of it
        SelectObject(memory, bitmap.get());
    }
    EXPECT_EQ(target.at(0, 0), RGB(0, 200, 0));
    EXPECT_EQ(target.at(39, 29), RGB(0, 200, 0));
    // Back out of the closed context: the bitmap can be selected into another one.
    UniqueMemoryDC other(CreateCompatibleDC(nullptr));
    EXPECT_NE(SelectObject(other.get(), bitmap.get()), nullptr);
}

// --- CGdiPlusBitmapResource ------------------------------------------------------------------

TEST(GdiPlusBitmapResourceTest, LoadsThePngResourcesWithAlpha) {
    CGdiPlusBitmapResource save;
    ASSERT_TRUE(save.LoadFromResource(IDP_SAVE_AND_EXIT, L"PNG"));
    EXPECT_EQ(save.bitmap()->GetWidth(), 220u);
    EXPECT_EQ(save.bitmap()->GetHeight(), 38u);
    EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(save.bitmap()->GetPixelFormat()));

    CGdiPlusBitmapResource close;
    ASSERT_TRUE(close.LoadFromResource(IDP_CLOSE, L"PNG"));
    EXPECT_EQ(close.bitmap()->GetWidth(), 16u);
    EXPECT_EQ(close.bitmap()->GetHeight(), 17u);
    // Loading again replaces the first picture.
    ASSERT_TRUE(close.LoadFromResource(IDP_SAVE_AND_EXIT, L"PNG"));
    EXPECT_EQ(close.bitmap()->GetWidth(), 220u);
}

// The count the program checks before it shuts GDI+ down.
TEST(GdiPlusBitmapResourceTest, CountsTheBitmapsHeldUntilTheyAreDeleted) {
    const int before = CGdiPlusBitmap::LiveBitmaps();
    {
        CGdiPlusBitmapResource image;
        ASSERT_TRUE(image.LoadFromResource(IDP_CLOSE, L"PNG"));
        EXPECT_EQ(CGdiPlusBitmap::LiveBitmaps(), before + 1);
        ASSERT_TRUE(image.LoadFromResource(IDP_SAVE_AND_EXIT, L"PNG"));  // replaces
        EXPECT_EQ(CGdiPlusBitmap::LiveBitmaps(), before + 1);
        EXPECT_FALSE(image.LoadFromResource(kNotAnImage, L"PNG"));
        EXPECT_EQ(CGdiPlusBitmap::LiveBitmaps(), before);
        ASSERT_TRUE(image.LoadFromResource(IDP_CLOSE, L"PNG"));
    }
    EXPECT_EQ(CGdiPlusBitmap::LiveBitmaps(), before);
}

TEST(GdiPlusBitmapResourceTest, MissingOrUndecodableResourcesLeaveItEmpty) {
    CGdiPlusBitmapResource image;
    EXPECT_FALSE(image.LoadFromResource(4321, L"PNG"));
    EXPECT_TRUE(image.empty());
    EXPECT_FALSE(image.LoadFromResource(IDP_CLOSE, L"JPEG"));  // right id, wrong type
    EXPECT_FALSE(image.LoadFromResource(kNotAnImage, L"PNG"));
    EXPECT_TRUE(image.empty());
    // A failure after a success empties the object too.
    ASSERT_TRUE(image.LoadFromResource(IDP_CLOSE, L"PNG"));
    EXPECT_FALSE(image.LoadFromResource(kNotAnImage, L"PNG"));
    EXPECT_TRUE(image.empty());
}

// --- CGdipButton -----------------------------------------------------------------------------

// The close glyph (16 x 17) on a 24 x 24 button straddling the host's two background halves.
class GdipButtonTest : public ::testing::Test {
  protected:
    static constexpr int kX = 88, kY = 20, kSize = 24;
    void SetUp() override {
        SetCursorPos(900, 700);  // away from every window of the test
        host_ = std::make_unique<ControlsTestHost>(200, 80, kLeft, kRight);
    }
    void Create(int resource) {
        button_ = std::make_unique<CGdipButton>();
        loaded_ = button_->LoadImage(resource, L"PNG");
        host_->AddButton(1, L"", kX, kY, kSize, kSize, *button_);
        PumpMessages();
    }
    COLORREF Face(int x, int y) const { return host_->Pixel(kX + x, kY + y); }
    // A pixel of the glyph's opaque disc, between the arms of its cross: rgb(70, 74, 84).
    COLORREF Disc() const { return Face(8, 3); }
    std::unique_ptr<ControlsTestHost> host_;
    std::unique_ptr<CGdipButton> button_;
    bool loaded_ = false;
};

TEST_F(GdipButtonTest, ShowsThePictureOverTheParentsBackgroundAndItsAlpha) {
    Create(IDP_CLOSE);
    ASSERT_TRUE(loaded_);
    HWND hwnd = button_->hwnd();
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    ASSERT_TRUE(WaitUntil([&] { return button_->picturesReady(); }));
    // Outside the glyph's 16 x 17 the button shows the host's two halves.
    EXPECT_EQ(Face(20, 2), kRight);
    EXPECT_EQ(Face(2, 20), kLeft);
    EXPECT_EQ(Face(20, 20), kRight);
    // Transparent corners of the glyph show the background too; its disc is opaque.
    EXPECT_EQ(Face(0, 0), kLeft);
    EXPECT_EQ(Face(15, 0), kRight);  // the glyph straddles the two halves
    EXPECT_NEAR(GetRValue(Disc()), 70, 1);
    EXPECT_NEAR(GetGValue(Disc()), 74, 1);
    EXPECT_NEAR(GetBValue(Disc()), 84, 1);
}

TEST_F(GdipButtonTest, HoverBrightensThePictureAndLeavingRestoresIt) {
    Create(IDP_CLOSE);
    ASSERT_TRUE(WaitUntil([&] { return button_->picturesReady(); }));
    const COLORREF normal = Disc();
    const COLORREF outside = Face(20, 20);
    RECT r{};
    GetWindowRect(button_->hwnd(), &r);
    SetCursorPos(r.left + 20, r.top + 20);
    SendMessageW(button_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_TRUE(WaitUntil([&] { return button_->hovering(); }));
    ASSERT_TRUE(WaitUntil([&] { return Disc() != normal; }));
    // Every channel x 1.05 + 0.05 (of 255): 70 -> 86.3, 74 -> 90.5, 84 -> 101.
    const COLORREF bright = Disc();
    EXPECT_NEAR(GetRValue(bright), 86, 2);
    EXPECT_NEAR(GetGValue(bright), 90, 2);
    EXPECT_NEAR(GetBValue(bright), 101, 2);
    EXPECT_EQ(Face(20, 20), outside);  // only the picture is brightened, not the background

    SetCursorPos(r.right + 200, r.bottom + 200);
    ASSERT_TRUE(WaitUntil([&] { return !button_->hovering(); }));
    ASSERT_TRUE(WaitUntil([&] { return Disc() == normal; }));
}

TEST_F(GdipButtonTest, PressedLooksLikeNormalAndADoubleClickIsTwoClicks) {
    Create(IDP_CLOSE);
    ASSERT_TRUE(WaitUntil([&] { return button_->picturesReady(); }));
    HWND hwnd = button_->hwnd();
    const COLORREF before = Disc();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    UpdateWindow(hwnd);
    PumpMessages();
    EXPECT_EQ(SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(Disc(), before);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(host_->clicks(1), 2);
}

TEST_F(GdipButtonTest, AMissingPictureLeavesTheButtonWithoutLooks) {
    Create(4321);
    EXPECT_FALSE(loaded_);
    UpdateWindow(button_->hwnd());
    PumpMessages();
    EXPECT_FALSE(button_->picturesReady());
}

TEST_F(GdipButtonTest, ABackgroundCapturedBeforeTheFirstColourRequestIsUsed) {
    button_ = std::make_unique<CGdipButton>();
    ASSERT_TRUE(button_->LoadImage(IDP_CLOSE, L"PNG"));
    // Hidden until the capture is in place, so that no colour request comes first.
    HWND hwnd = host_->AddButton(1, L"", kX, kY, kSize, kSize, *button_, false);
    MemoryTarget skin(200, 80);  // a black picture under the whole host
    button_->CaptureBackground(skin.picture.dc());
    ControlsTestHost::Show(hwnd);
    ASSERT_TRUE(WaitUntil([&] { return button_->picturesReady(); }));
    ASSERT_TRUE(WaitUntil([&] { return Face(20, 20) == RGB(0, 0, 0); }));
}

// --- CTransParentButton ----------------------------------------------------------------------

constexpr COLORREF kCaption = 0xC8C8C8;
constexpr COLORREF kHover = 0xFEFFFF;

class TransParentButtonTest : public ::testing::Test {
  protected:
    static constexpr int kX = 40, kY = 30, kW = 160, kH = 24;
    void SetUp() override {
        SetCursorPos(900, 700);  // away from every window of the test
        host_ = std::make_unique<ControlsTestHost>(240, 90, kLeft, kLeft);
        button_.SetCaptionColour(kCaption);
        button_.SetHoverColour(kHover);
        host_->AddButton(1000, L"R Button", kX, kY, kW, kH, button_);
        // Focus cues hidden, as a window without keyboard use has them: a click gives the button
        // the focus, and its mark would add to the caption's pixels.
        SendMessageW(button_.hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
        PumpMessages();
    }
    void TearDown() override { host_.reset(); }

    // The bounding box of the pixels of `colour` on the button.
    struct Box {
        int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
    };
    Box Ink(COLORREF colour) const {
        Box b;
        HDC dc = GetDC(host_->hwnd());
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (GetPixel(dc, kX + x, kY + y) == colour) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x);
                    b.bottom = std::max(b.bottom, y);
                    ++b.count;
                }
        ReleaseDC(host_->hwnd(), dc);
        return b;
    }
    POINT ScreenPoint(int x, int y) const {
        POINT p{kX + x, kY + y};
        ClientToScreen(host_->hwnd(), &p);
        return p;
    }

    std::unique_ptr<ControlsTestHost> host_;
    CTransParentButton button_;
};

TEST_F(TransParentButtonTest, CaptionIsCentredInTheCaptionColourOverTheCapturedBackground) {
    EXPECT_EQ(GetWindowLongPtrW(button_.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_NE(GetWindowLongPtrW(button_.hwnd(), GWL_STYLE) & WS_VISIBLE, 0);
    ASSERT_TRUE(button_.backgroundCaptured());
    ASSERT_TRUE(WaitUntil([&] { return Ink(kCaption).count > 20; }));
    EXPECT_EQ(host_->Pixel(kX + 1, kY + 1), kLeft);
    EXPECT_EQ(host_->Pixel(kX + kW - 2, kY + kH - 2), kLeft);
    EXPECT_EQ(Ink(kHover).count, 0);

    // Centred as measured with the button's context font.
    HDC dc = GetDC(button_.hwnd());
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"R Button", 8, &extent);
    ReleaseDC(button_.hwnd(), dc);
    const Box ink = Ink(kCaption);
    const int x = (kW - extent.cx) / 2;
    const int y = (kH - extent.cy) / 2;
    EXPECT_GE(ink.left, x);
    EXPECT_LE(ink.left, x + 3);
    EXPECT_LE(ink.right, x + extent.cx);
    EXPECT_GE(ink.right, x + extent.cx - 4);
    EXPECT_GE(ink.top, y);
    EXPECT_LE(ink.bottom, y + extent.cy);
}

TEST_F(TransParentButtonTest, HoverColourWhileThePointerIsOnItAndBackAfterItLeaves) {
    ASSERT_TRUE(WaitUntil([&] { return Ink(kCaption).count > 20; }));
    const POINT inside = ScreenPoint(10, 10);
    SetCursorPos(inside.x, inside.y);
    SendMessageW(button_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button_.hovering());
    EXPECT_EQ(button_.buttonState(), TransButtonState::Hover);
    EXPECT_GT(Ink(kHover).count, 20);
    EXPECT_EQ(Ink(kCaption).count, 0);

    const POINT outside = ScreenPoint(kW + 20, kH + 20);
    SetCursorPos(outside.x, outside.y);
    ASSERT_TRUE(WaitUntil([&] { return !button_.hovering(); }));
    EXPECT_EQ(button_.buttonState(), TransButtonState::Idle);
    EXPECT_GT(Ink(kCaption).count, 20);
    EXPECT_EQ(Ink(kHover).count, 0);
}

TEST_F(TransParentButtonTest, PressingShiftsTheCaptionAndReleasingShowsTheHoverColour) {
    ASSERT_TRUE(WaitUntil([&] { return Ink(kCaption).count > 20; }));
    const Box idle = Ink(kCaption);
    const POINT inside = ScreenPoint(10, 10);
    SetCursorPos(inside.x, inside.y);
    SendMessageW(button_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(button_.hovering());
    SendMessageW(button_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(button_.buttonState(), TransButtonState::Pressed);
    const Box pressed = Ink(kCaption);
    EXPECT_EQ(pressed.left, idle.left + 1);
    EXPECT_EQ(pressed.top, idle.top + 1);
    EXPECT_EQ(pressed.count, idle.count);

    // Moving out while held: the next tick of timer 1 returns the caption to idle, and moving
    // back in while still held starts no hover state.
    const POINT outside = ScreenPoint(kW + 20, kH + 20);
    SetCursorPos(outside.x, outside.y);
    ASSERT_TRUE(WaitUntil([&] { return !button_.hovering(); }));
    EXPECT_EQ(button_.buttonState(), TransButtonState::Idle);
    SetCursorPos(inside.x, inside.y);
    SendMessageW(button_.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 10));
    EXPECT_FALSE(button_.hovering());
    EXPECT_EQ(button_.buttonState(), TransButtonState::Idle);

    SendMessageW(button_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(button_.buttonState(), TransButtonState::Released);
    EXPECT_EQ(host_->clicks(1000), 1);
    ASSERT_TRUE(WaitUntil([&] { return Ink(kHover).count > 20; }));
    EXPECT_EQ(Ink(kHover).left, idle.left);
}

TEST_F(TransParentButtonTest, ADisabledButtonDrawsItsCaptionGreyedAndIdle) {
    ASSERT_TRUE(WaitUntil([&] { return Ink(kCaption).count > 20; }));
    EnableWindow(button_.hwnd(), FALSE);
    UpdateWindow(button_.hwnd());
    PumpMessages();
    EXPECT_EQ(Ink(kCaption).count, 0);
    EXPECT_EQ(button_.buttonState(), TransButtonState::Idle);
    // The hover state does not start on a disabled button.
    SendMessageW(button_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(button_.hovering());
}

}  // namespace
}  // namespace tressel::testing
