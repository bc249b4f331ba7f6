#include "hookwatch/HookWatch.h"

#include <algorithm>

#include "config/ButtonSetting.h"

namespace tressel {

void HookWatch::OnRawPress(ButtonId input, bool taken) {
    const std::size_t i = ToIndex(input);
    if (ownPressNext_[i]) {
        ownPressNext_[i] = false;
    } else if (reportedFirst_[i]) {
        reportedFirst_[i] = false;
    } else if (taken) {
        waiting_[i] = true;
    }
}

bool HookWatch::Waiting() const {
    const auto set = [](bool b) { return b; };
    return std::any_of(waiting_.begin(), waiting_.end(), set) ||
           std::any_of(ownPressNext_.begin(), ownPressNext_.end(), set) ||
           std::any_of(reportedFirst_.begin(), reportedFirst_.end(), set);
}

void HookWatch::OnHookReport(ButtonId input) {
    const std::size_t i = ToIndex(input);
    if (waiting_[i])
        waiting_[i] = false;
    else
        reportedFirst_[i] = true;
}

void HookWatch::OnSynthesised(ButtonId input) { ownPressNext_[ToIndex(input)] = true; }

std::vector<ButtonId> HookWatch::TakeMissed() {
    std::vector<ButtonId> missed;
    for (ButtonId input : kAllButtons) {
        if (!waiting_[ToIndex(input)]) continue;
        waiting_[ToIndex(input)] = false;
        missed.push_back(input);
    }
    ownPressNext_ = {};
    reportedFirst_ = {};
    return missed;
}

std::optional<ButtonId> InputImitatedBy(std::int32_t mouseAction) {
    switch (mouseAction) {
        case RightClick:
            return ButtonId::R;
        case MiddleClick:
            return ButtonId::M;
        case X1Click:
            return ButtonId::X1;
        case X2Click:
            return ButtonId::X2;
        case WheelUp:
            return ButtonId::WU;
        case WheelDown:
            return ButtonId::WD;
        default:
            return std::nullopt;
    }
}

}  // namespace tressel
