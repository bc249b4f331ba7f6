#pragma once
// Recording main-window shell: start-up steps, the resolution fit (with control rectangles the
// test sets), the tray icon and menus.

#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "app/DialogShell.h"
#include "fakes/CallLog.h"
#include "fakes/Describe.h"

namespace tressel::testing {

class FakeDialogShell : public DialogShell {
  public:
    explicit FakeDialogShell(CallLog& log) : log_(log) {}

    void SetWindowIcons() override { log_.Add("SetWindowIcons"); }
    void SetMainWindowTitle(const std::wstring& title) override {
        log_.Add("SetMainWindowTitle(" + Narrow(title) + ")");
    }
    void RemoveCaptionStyle() override { log_.Add("RemoveCaptionStyle"); }
    void MakeLayered() override { log_.Add("MakeLayered"); }
    void SetCaptionColour(int controlId, Colour colour) override {
        log_.Add("SetCaptionColour(" + std::to_string(controlId) + ", " + Hex(colour) + ")");
    }
    void SetHoverColour(int controlId, Colour colour) override {
        log_.Add("SetHoverColour(" + std::to_string(controlId) + ", " + Hex(colour) + ")");
    }
    void LoadImageButtons() override { log_.Add("LoadImageButtons"); }
    void CenterWindow() override { log_.Add("CenterWindow"); }
    void LoadSkin() override { log_.Add("LoadSkin"); }
    DisplayResolution ReadResolution() override { return resolution; }
    Rect OuterWindowRect() override { return outer; }
    void ResizeWindow(std::int32_t width, std::int32_t height) override {
        outer.right = outer.left + width;
        outer.bottom = outer.top + height;
        log_.Add("ResizeWindow(" + std::to_string(width) + ", " + std::to_string(height) + ")");
    }
    Rect ControlClientRect(int controlId) override { return controls[controlId]; }
    void MoveControl(int controlId, const Rect& r) override {
        controls[controlId] = r;
        log_.Add("MoveControl(" + std::to_string(controlId) + ")");
    }
    // Refused while `refusedAdds` lasts, as a shell that is not ready yet refuses.
    bool AddTrayIcon() override {
        log_.Add("AddTrayIcon");
        if (refusedAdds == 0) return true;
        --refusedAdds;
        return false;
    }
    void DeleteTrayIcon() override { log_.Add("DeleteTrayIcon"); }
    void SetTrayTip(const std::wstring& tip) override {
        log_.Add("SetTrayTip(" + std::string(tip.begin(), tip.end()) + ")");
    }
    void ShowTrayBalloon(const std::wstring& title, const std::wstring& text) override {
        log_.Add("ShowTrayBalloon(" + Narrow(title) + ": " + Narrow(text) + ")");
    }
    // Logged with the title only; answers Retry while `retryAnswers` lasts, then Cancel. The
    // text is kept in `askedText`; `onAsk` runs while the box would show.
    bool AskToRetrySave(const std::wstring& title, const std::wstring& text) override {
        log_.Add("AskToRetrySave(" + Narrow(title) + ")");
        askedText = text;
        if (onAsk) onAsk();
        if (retryAnswers == 0) return false;
        --retryAnswers;
        return true;
    }
    void TrackTrayMenu(Point at, bool checked) override {
        log_.Add("TrackTrayMenu(" + std::to_string(at.x) + "," + std::to_string(at.y) +
                 (checked ? ", checked)" : ", unchecked)"));
    }
    void ShowFunctionMenu(Point at, bool asAllPrograms) override {
        log_.Add("ShowFunctionMenu(" + std::to_string(at.x) + "," + std::to_string(at.y) +
                 (asAllPrograms ? ", as all programs)" : ")"));
    }
    std::optional<std::wstring> PickProgramFile() override {
        log_.Add("PickProgramFile");
        return pickedFile;
    }
    // Keeps the menu it was given in `programsMenu` and chooses the item whose text is
    // `programsPick` (0 when there is none).
    int ShowProgramsMenu(Point at, const ProgramsMenu& menu) override {
        log_.Add("ShowProgramsMenu(" + std::to_string(at.x) + "," + std::to_string(at.y) + ")");
        programsMenu = menu;
        return IdOf(menu, programsPick);
    }
    std::vector<RunningProgram> ProgramsWithWindows() override { return running; }

    DisplayResolution resolution;
    Rect outer{0, 0, 764, 510};
    std::map<int, Rect> controls;
    int refusedAdds = 0;
    std::optional<std::wstring> pickedFile;
    int retryAnswers = 0;
    std::wstring askedText;
    std::function<void()> onAsk;
    ProgramsMenu programsMenu;
    std::wstring programsPick;
    std::vector<RunningProgram> running;

  private:
    static int IdOf(const ProgramsMenu& menu, const std::wstring& text) {
        for (const ProgramsMenuItem& item : menu) {
            if (item.id != 0 && item.text == text) return item.id;
            if (const int inner = IdOf(item.submenu, text)) return inner;
        }
        return 0;
    }
    static std::string Hex(Colour c) {
        char b[16];
        std::snprintf(b, sizeof b, "0x%06X", c);
        return b;
    }
    CallLog& log_;
};

}  // namespace tressel::testing
