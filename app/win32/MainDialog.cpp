#include "app/win32/MainDialog.h"

#include "app/win32/SkinPainter.h"

#include <commdlg.h>

#include <vector>

#include "app/win32/TestSwitches.h"
#include "config/AccessibleNames.h"
#include "controls/CaptionFont.h"
#include "controls/FunctionMenuBuilder.h"
#include "controls/MemDC.h"
#include "controls/MenuXP.h"
#include "controls/SystemPalette.h"
#include "resource.h"
#include "seam/win32/RegisteredMessages.h"

namespace tressel {
namespace {

constexpr COLORREF kKeyColour = 0x6A1FF8;

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

MainDialog::MainDialog(Services s)
    : win::Dialog(IDD_MAIN),
      logic_(DialogPlatform{*this, *this, s.hooks, s.input, s.system, s.threads, s.profiles,
                            s.files, s.registry, s.process}),
      icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                          MAKEINTRESOURCEW(IDI_APPLICATION_ICON), IMAGE_ICON, 0, 0,
                                          LR_DEFAULTSIZE))),
      keyBrush_(CreateSolidBrush(kKeyColour)),
      trayIcon_(kTrayIconId, kTrayCallbackMessage, kTrayTip) {
    for (ButtonId id : kAllButtons) Bind(ControlIdOf(id), inputButtons_[ToIndex(id)]);
    Bind(kProgramsControlId, programsButton_);
    Bind(1007, saveButton_);
    Bind(IDOK, closeButton_);
    MapMessages();
}

MainDialog::~MainDialog() = default;

void MainDialog::MapMessages() {
    OnMessage(WM_TIMER, [this](WPARAM w, LPARAM) {
        logic_.OnTimer(w);
        return Result{0, true};
    });
    OnMessage(kTrayCallbackMessage, [this](WPARAM w, LPARAM l) {
        logic_.OnTrayNotify(w, static_cast<std::uintptr_t>(l));
        return Result{0, true};
    });
    OnMessage(WM_WINDOWPOSCHANGING, [this](WPARAM, LPARAM l) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(l);
        std::uint32_t flags = pos->flags;
        logic_.OnWindowPosChanging(flags);
        pos->flags = flags;
        return Result{0, false};
    });
    OnMessage(WM_ERASEBKGND,
              [this](WPARAM w, LPARAM) { return OnEraseBackground(reinterpret_cast<HDC>(w)); });
    // WM_SHOWWINDOW with wParam FALSE: the window is about to be hidden.
    // https://learn.microsoft.com/windows/win32/winmsg/wm-showwindow
    OnMessage(WM_SHOWWINDOW, [this](WPARAM w, LPARAM) {
        if (!w) skinBitmap_.reset();
        return Result{0, false};
    });
    OnMessage(WM_CTLCOLORDLG, [this](WPARAM, LPARAM) {
        return Result{reinterpret_cast<LRESULT>(keyBrush_.get()), true};
    });
    OnMessage(WM_PAINT, [this](WPARAM, LPARAM) { return OnPaint(); });
    OnMessage(WM_QUERYDRAGICON, [this](WPARAM, LPARAM) {
        return Result{reinterpret_cast<LRESULT>(icon_.get()), true};
    });
    OnMessage(WM_NCHITTEST, [this](WPARAM, LPARAM l) { return OnNcHitTest(l); });
    // Owner-drawn entries of the function menu (control items are reflected by the framework).
    OnMessage(WM_MEASUREITEM, [](WPARAM, LPARAM l) {
        return Result{TRUE, CMenuXP::HandleMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(l))};
    });
    OnMessage(WM_DRAWITEM, [](WPARAM, LPARAM l) {
        return Result{TRUE, CMenuXP::HandleDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l))};
    });
    for (ButtonId id : kAllButtons) {
        OnMessage(RegisteredMessageFor(id), [this, id](WPARAM, LPARAM) {
            logic_.OnButtonMessage(id, static_cast<std::uint32_t>(GetMessageTime()));
            return Result{0, true};
        });
    }
    // The end of a Windows session. The query is answered at once; the end steps run when the
    // end is confirmed, since "the session can end any time after all applications have
    // returned from processing" WM_ENDSESSION (Win32 documentation, WM_ENDSESSION).
    OnMessage(WM_QUERYENDSESSION, [this](WPARAM, LPARAM) {
        return Result{logic_.OnQueryEndSession() ? TRUE : FALSE, true};
    });
    OnMessage(WM_ENDSESSION, [this](WPARAM w, LPARAM) {
        logic_.OnEndSession(w != FALSE);
        return Result{0, true};
    });
    // High contrast turned on or off, or other system colours: the captions are drawn in them
    // (controls/SystemPalette.h), the function menu reads them each time it opens.
    // https://learn.microsoft.com/windows/win32/winmsg/wm-settingchange
    OnMessage(WM_SETTINGCHANGE, [this](WPARAM w, LPARAM) {
        if (w == SPI_SETHIGHCONTRAST) RedrawInputButtons();
        return Result{0, false};
    });
    OnMessage(WM_SYSCOLORCHANGE, [this](WPARAM, LPARAM) {
        RedrawInputButtons();
        return Result{0, false};
    });
    MapSystemEvents();
    // Explorer forgets every notification icon when it restarts; put ours back.
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    OnMessage(taskbarCreatedMessage_, [this](WPARAM, LPARAM) {
        logic_.OnShellRestarted();
        return Result{0, false};
    });
}

BOOL MainDialog::OnInitDialog() {
    // The captions in the dialog's own face (CaptionFont.h), not the raster System font a
    // drawing context starts with, which has neither ClearType nor characters beyond the ANSI
    // code page.
    captionFont_ = CreateCaptionFont(hwnd());
#ifdef TRESSEL_TEST_SWITCHES
    SetHighContrastStandIn(&test_switches::HighContrastOn);
#endif
    for (CTransParentButton& button : inputButtons_) button.SetCaptionFont(captionFont_.get());
    programsButton_.SetCaptionFont(captionFont_.get());
    // Enter is the OK command (hide to the tray). The template's default push button is 1007
    // (save and hide); the dialog manager keeps that id as its default even after the button
    // became owner-drawn, and Enter sends the default id (Win32 documentation, "Dialog Box
    // Keyboard Interface", DM_SETDEFID). IDOK is owner-drawn too, so no button style changes.
    SendMessageW(hwnd(), DM_SETDEFID, IDOK, 0);
    // Screen readers hear which input a button is for as well as its function, and the image
    // buttons' window texts; each name follows the control's current text.
    for (ButtonId id : kAllButtons) {
        inputNames_[ToIndex(id)].Attach(
            inputButtons_[ToIndex(id)].hwnd(),
            [id](const std::wstring& caption) { return InputButtonAccessibleName(id, caption); });
    }
    // "Settings for: notepad.exe", as the title drawn above the button says to the eye.
    programsName_.Attach(programsButton_.hwnd(),
                         [](const std::wstring& caption) { return L"Settings for: " + caption; });
    saveName_.Attach(saveButton_.hwnd());
    closeName_.Attach(closeButton_.hwnd());
    const BOOL started = logic_.OnInitDialog() ? TRUE : FALSE;
    StartSystemEvents();
    return started;
}

// Esc, Alt+F4 and the system menu's Close all arrive as IDCANCEL.
void MainDialog::OnCancel() { logic_.OnCancel(); }

void MainDialog::ReleaseGraphics() {
    saveButton_.ReleaseImage();
    closeButton_.ReleaseImage();
}

void MainDialog::OnUnmappedCommand(int commandId, int notifyCode) {
    if (commandId >= 1000 && commandId <= 1005) {
        // Owner-drawn buttons report a quick second click as a double click; it is a click all
        // the same, so that repeated clicks keep opening the menu.
        if (notifyCode == BN_CLICKED || notifyCode == BN_DOUBLECLICKED) {
            logic_.OnInputButtonClicked(commandId);
        }
        return;
    }
    if (commandId == kProgramsControlId) {
        if (notifyCode == BN_CLICKED || notifyCode == BN_DOUBLECLICKED)
            logic_.OnProgramsButtonClicked();
        return;
    }
    logic_.OnCommand(commandId);
}

void MainDialog::RedrawInputButtons() {
    for (CTransParentButton& button : inputButtons_) button.RedrawFace();
    programsButton_.RedrawFace();
}

CTransParentButton* MainDialog::InputButton(int controlId) {
    if (controlId == kProgramsControlId) return &programsButton_;
    const auto input = ButtonFromInt(controlId - 999);
    return input ? &inputButtons_[ToIndex(*input)] : nullptr;
}

MainDialog::Result MainDialog::OnEraseBackground(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    // The default erase: the dialog brush, the key colour, shows wherever the skin does not.
    FillRect(dc, &client, keyBrush_.get());
    {
        // The picture is composed off-screen and copied onto the window once, when `memory`
        // closes; the image buttons take the pieces under themselves as their background. The
        // boxes and leader lines are drawn where the controls really are: the template's dialog
        // units give other pixel positions under other base units (fonts) and resolutions.
        CMemDC memory(dc, &client);
        EnsureSkin();
        if (skinBitmap_) {
            PaintSkin(memory.dc(), skinBitmap_.get(), client);
            std::array<Rect, kButtonCount> inputs{};
            for (ButtonId id : kAllButtons)
                inputs[ToIndex(id)] = ControlClientRect(ControlIdOf(id));
            PaintSkinGuides(
                memory.dc(),
                PlaceSkinGuides(inputs, ControlClientRect(kProgramsControlId),
                                ControlClientRect(1007), {client.right, client.bottom}));
        }
        saveButton_.CaptureBackground(memory.dc());
        closeButton_.CaptureBackground(memory.dc());
    }
    return {1, true};
}

MainDialog::Result MainDialog::OnPaint() {
    if (!IsIconic(hwnd())) return {0, false};
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_.get());
    EndPaint(hwnd(), &paint);
    return {0, true};
}

MainDialog::Result MainDialog::OnNcHitTest(LPARAM lParam) {
    RECT client;
    GetClientRect(hwnd(), &client);
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PtInRect(&client, point)) return {HTCAPTION, true};
    return {0, false};
}

// WindowHost.

WindowHandle MainDialog::Handle() { return reinterpret_cast<WindowHandle>(hwnd()); }

void MainDialog::SetControlText(int controlId, const std::wstring& text) {
    SetDlgItemTextW(hwnd(), controlId, text.c_str());
}

std::wstring MainDialog::GetControlText(int controlId) {
    HWND control = GetDlgItem(hwnd(), controlId);
    const int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, buffer.data(), length + 1);
    return buffer.data();
}

void MainDialog::ShowWindow(int showCommand) { ::ShowWindow(hwnd(), showCommand); }

void MainDialog::SetForegroundWindow() { ::SetForegroundWindow(hwnd()); }

void MainDialog::SetTimer(std::uintptr_t timerId, std::uint32_t milliseconds) {
    ::SetTimer(hwnd(), timerId, milliseconds, nullptr);
}

void MainDialog::KillTimer(std::uintptr_t timerId) { ::KillTimer(hwnd(), timerId); }

Rect MainDialog::GetControlWindowRect(int controlId) {
    RECT r{};
    GetWindowRect(GetDlgItem(hwnd(), controlId), &r);
    return FromRECT(r);
}

Rect MainDialog::ScreenToClient(const Rect& screen) {
    RECT r = ToRECT(screen);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return FromRECT(r);
}

void MainDialog::InvalidateRect(const Rect& client, bool erase) {
    RECT r = ToRECT(client);
    ::InvalidateRect(hwnd(), &r, erase ? TRUE : FALSE);
}

// DialogShell.

void MainDialog::SetWindowIcons() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
}

void MainDialog::SetMainWindowTitle(const std::wstring& title) {
    SetWindowTextW(hwnd(), title.c_str());
}

void MainDialog::RemoveCaptionStyle() {
    SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) & ~WS_CAPTION);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void MainDialog::MakeLayered() {
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
    // Looked up by name so that a system without layered windows still runs (without the key).
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        auto setLayered = reinterpret_cast<SetLayeredFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
        if (setLayered) setLayered(hwnd(), kKeyColour, 255, LWA_COLORKEY);
    }
}

void MainDialog::SetCaptionColour(int controlId, Colour colour) {
    if (auto* button = InputButton(controlId)) {
        button->SetCaptionColour(colour);
        button->RedrawFace();
    }
}

void MainDialog::SetHoverColour(int controlId, Colour colour) {
    if (auto* button = InputButton(controlId)) {
        button->SetHoverColour(colour);
        button->RedrawFace();
    }
}

void MainDialog::LoadImageButtons() {
    saveButton_.LoadImage(IDP_SAVE_AND_EXIT, L"PNG");
    closeButton_.LoadImage(IDP_CLOSE, L"PNG");
}

void MainDialog::CenterWindow() {
    RECT window;
    GetWindowRect(hwnd(), &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
    const int y = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The skin is the largest picture the program holds (about 1.2 MB) and only a shown window
// needs it: it is loaded when the window is first drawn and given back whenever the window is
// hidden, so that a program started hidden at logon, or hidden to the tray, does not keep it.
void MainDialog::LoadSkin() { skinWanted_ = true; }

void MainDialog::EnsureSkin() {
    if (!skinWanted_ || skinBitmap_) return;
    skinBitmap_.reset(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SKIN),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

DisplayResolution MainDialog::ReadResolution() {
    HDC dc = GetDC(hwnd());
    DisplayResolution r{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
    ReleaseDC(hwnd(), dc);
    return r;
}

Rect MainDialog::OuterWindowRect() {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return FromRECT(r);
}

void MainDialog::ResizeWindow(std::int32_t width, std::int32_t height) {
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect MainDialog::ControlClientRect(int controlId) {
    return ScreenToClient(GetControlWindowRect(controlId));
}

void MainDialog::MoveControl(int controlId, const Rect& client) {
    MoveWindow(GetDlgItem(hwnd(), controlId), client.left, client.top, client.Width(),
               client.Height(), TRUE);
}

bool MainDialog::AddTrayIcon() { return trayIcon_.Add(hwnd()); }

void MainDialog::DeleteTrayIcon() { trayIcon_.Delete(); }

void MainDialog::SetTrayTip(const std::wstring& tip) { trayIcon_.SetTip(tip); }

void MainDialog::ShowTrayBalloon(const std::wstring& title, const std::wstring& text) {
    trayIcon_.ShowBalloon(title, text);
}

bool MainDialog::AskToRetrySave(const std::wstring& title, const std::wstring& text) {
    // No owner: the window may be minimised and hidden in the tray, and a minimised owner hides
    // what it owns. Task-modal instead, so the window takes no input while the box shows.
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-messageboxw
    return MessageBoxW(nullptr, text.c_str(), title.c_str(),
                       MB_RETRYCANCEL | MB_ICONWARNING | MB_TASKMODAL | MB_SETFOREGROUND |
                           MB_TOPMOST) == IDRETRY;
}

void MainDialog::TrackTrayMenu(Point at, bool startWithWindowsChecked) {
    UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    if (startWithWindowsChecked) {
        CheckMenuItem(popup, command_id::kStartWithWindows, MF_BYCOMMAND | MF_CHECKED);
    }
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    // A menu of a notification icon needs a task switch after it closes, or its next opening
    // vanishes at once; posting a benign message does it (Win32 documentation, TrackPopupMenu,
    // Remarks).
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void MainDialog::ShowFunctionMenu(Point at, bool asAllPrograms) {
    tressel::ShowFunctionMenu(hwnd(), at.x, at.y, asAllPrograms);
}

std::optional<std::wstring> MainDialog::PickProgramFile() {
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd();
    // "EXE files(*.exe)|*.exe||" in the open-file dialog's double-null form.
    static constexpr wchar_t kFilter[] = L"EXE files(*.exe)\0*.exe\0";
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    // The common dialogs library is loaded on first use and stays loaded: the picker's shell
    // extensions can leave work behind in it (threads, callbacks), and freeing it would leave
    // them to run into freed code. System32 only, so that no file beside the program is taken
    // for it (https://learn.microsoft.com/windows/win32/api/libloaderapi/nf-libloaderapi-
    // loadlibraryexw).
    static const HMODULE dialogs =
        LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    using GetOpenFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
    const auto getOpenFileName = reinterpret_cast<GetOpenFileNameFn>(
        dialogs ? reinterpret_cast<void*>(GetProcAddress(dialogs, "GetOpenFileNameW")) : nullptr);
    if (!getOpenFileName || !getOpenFileName(&ofn)) return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace tressel
