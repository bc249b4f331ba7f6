#pragma once
// The six remappable mouse inputs and what belongs to each: its button control, settings
// section, registered message, hook library and default caption.

#include <array>
#include <optional>
#include <string_view>

namespace tressel {

enum class ButtonId : int { R = 1, M = 2, X1 = 3, X2 = 4, WD = 5, WU = 6 };

inline constexpr int kButtonCount = 6;

// In the order every loop over the inputs uses: R, M, X1, X2, WD, WU.
inline constexpr std::array<ButtonId, kButtonCount> kAllButtons = {
    ButtonId::R, ButtonId::M, ButtonId::X1, ButtonId::X2, ButtonId::WD, ButtonId::WU};

struct ButtonInfo {
    ButtonId id;
    int controlId;
    std::wstring_view section;
    std::wstring_view registeredMessage;
    std::wstring_view hookLibrary;
    std::wstring_view defaultCaption;
};

inline constexpr std::array<ButtonInfo, kButtonCount> kButtonInfo = {{
    {ButtonId::R, 1000, L"RButtonSetting", L"UWM_RBTNCLICK_MSG", L"TarnhookR", L"Right Button"},
    {ButtonId::M, 1001, L"MButtonSetting", L"UWM_MBTNCLICK_MSG", L"TarnhookM", L"Middle Button"},
    {ButtonId::X1, 1002, L"X1ButtonSetting", L"UWM_X1BTNCLICK_MSG", L"TarnhookX1", L"X1 Button"},
    {ButtonId::X2, 1003, L"X2ButtonSetting", L"UWM_X2BTNCLICK_MSG", L"TarnhookX2", L"X2 Button"},
    {ButtonId::WD, 1004, L"WDButtonSetting", L"UWM_WDBTNCLICK_MSG", L"TarnhookWD", L"Wheel Down"},
    {ButtonId::WU, 1005, L"WUButtonSetting", L"UWM_WUBTNCLICK_MSG", L"TarnhookWU", L"Wheel Up"},
}};

constexpr int ToIndex(ButtonId id) { return static_cast<int>(id) - 1; }
constexpr int ToInt(ButtonId id) { return static_cast<int>(id); }
constexpr const ButtonInfo& InfoOf(ButtonId id) { return kButtonInfo[ToIndex(id)]; }
constexpr int ControlIdOf(ButtonId id) { return 999 + static_cast<int>(id); }

// A `selectedButton` value (0 or 1..6) as an input, when it names one.
constexpr std::optional<ButtonId> ButtonFromInt(int value) {
    if (value < 1 || value > kButtonCount) return std::nullopt;
    return static_cast<ButtonId>(value);
}

}  // namespace tressel
