#include "seam/win32/RegisteredMessages.h"

#include <array>
#include <string>

namespace tressel {
namespace {

struct RegisteredMessageTable {
    std::array<UINT, kButtonCount> ids{};

    RegisteredMessageTable() {
        // Registration order: M, R, X1, X2, WD, WU.
        constexpr std::array kOrder = {ButtonId::M,  ButtonId::R,  ButtonId::X1,
                                       ButtonId::X2, ButtonId::WD, ButtonId::WU};
        for (ButtonId input : kOrder) {
            ids[ToIndex(input)] =
                RegisterWindowMessageW(std::wstring(InfoOf(input).registeredMessage).c_str());
        }
    }
};

const RegisteredMessageTable& Table() {
    static const RegisteredMessageTable table;
    return table;
}

// Registers the messages while the process starts, before main.
[[maybe_unused]] const RegisteredMessageTable& gRegisteredAtStartup = Table();

}  // namespace

UINT RegisteredMessageFor(ButtonId input) { return Table().ids[ToIndex(input)]; }

}  // namespace tressel
