#pragma once
// Pictures of the virtual desktop as the X server shows it (imagemagick's import on DISPLAY),
// read back pixel by pixel, and saved as PNG artifacts.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tressel::testing {

class ScreenCapture {
  public:
    // Captures the whole X screen; false (with a message on stderr) when that failed.
    bool Capture();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // The pixel at screen point (x, y) as a COLORREF (0x00BBGGRR); CLR_INVALID outside.
    COLORREF Pixel(int x, int y) const;
    // How many pixels of `area` have exactly `colour`.
    int Count(const RECT& area, COLORREF colour) const;

  private:
    int width_ = 0, height_ = 0;
    std::vector<unsigned char> rgb_;
};

// Saves the X screen, or the part `crop` of it, as a PNG file at the Unix path `file`.
bool SaveScreenPng(const std::string& file, const RECT* crop = nullptr);

// The visible top-level windows of processes other than `processId` and the shell's (its
// taskbar), by class and title: what a picture for users must not show.
std::string OtherWindowsShowing(DWORD processId);

// A picture for users: the whole screen as `SaveScreenPng` takes it, with only the program of
// `processId` on the desktop; fails, saving nothing, when another window shows.
::testing::AssertionResult SaveUserPicture(const std::string& file, DWORD processId);

}  // namespace tressel::testing
