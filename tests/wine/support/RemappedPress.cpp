#include "wine/support/RemappedPress.h"

#include <algorithm>
#include <sstream>

#include "wine/support/PhysicalInput.h"

namespace tressel::testing {
namespace {

// The low-level hook reports the side of a modifier key (Windows: VK_LCONTROL for VK_CONTROL).
unsigned long WithoutSide(unsigned long vk) {
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
    return vk == VK_LMENU || vk == VK_RMENU ? VK_MENU : vk;
}

bool IsKey(const RecordedEvent& e) { return e.kind == RecordedEvent::Key; }

bool IsPhysicalButton(const RecordedEvent& e) {
    return e.kind == RecordedEvent::Mouse && !e.injected && e.message != WM_MOUSEMOVE;
}

bool IsLeftButton(const RecordedEvent& e) {
    return e.message == WM_LBUTTONDOWN || e.message == WM_LBUTTONUP;
}

}  // namespace

Recorder::Events PressOnPad(const Recorder& recorder, InputPad& pad, int button,
                            std::size_t keysToCome) {
    // A move to where the pointer already is gives no message to wait for: go elsewhere then.
    const RECT r = pad.ScreenRect();
    POINT cursor{};
    GetCursorPos(&cursor);
    const int at = cursor.x == r.left + 55 && cursor.y == r.top + 55 ? 45 : 55;
    EXPECT_TRUE(pad.PointAndActivate(at, at));
    pad.ClearLog();
    const auto before = static_cast<std::ptrdiff_t>(recorder.ReadEvents().size());
    EXPECT_TRUE(PhysicalInput::Click(button));
    if (keysToCome) {
        EXPECT_TRUE(recorder.WaitFor([&](const Recorder::Events& all) {
            return static_cast<std::size_t>(
                       std::count_if(all.begin() + before, all.end(), IsKey)) >= keysToCome;
        })) << "the program typed fewer than "
            << keysToCome << " key events";
    }
    EXPECT_TRUE(pad.ClickSentinel());
    const Recorder::Events all = recorder.ReadEvents();
    return Recorder::Events(all.begin() + before, all.end());
}

::testing::AssertionResult PressGivesOnlyChord(const Recorder& recorder, InputPad& pad, int button,
                                               const std::vector<KeyStroke>& chord) {
    const Recorder::Events events = PressOnPad(recorder, pad, button, chord.size());
    std::ostringstream failures;
    std::ostringstream typed;
    std::vector<KeyStroke> keys;
    for (const RecordedEvent& e : events) {
        if (!IsKey(e)) continue;
        typed << (e.message == WM_KEYDOWN ? " down " : " up ") << std::hex << e.vk << std::dec
              << (e.injected ? "" : " (physical)");
        if (e.injected) keys.push_back({e.message, WithoutSide(e.vk)});
    }
    if (!std::equal(keys.begin(), keys.end(), chord.begin(), chord.end(),
                    [](const KeyStroke& a, const KeyStroke& b) {
                        return a.message == b.message && a.vk == b.vk;
                    }))
        failures << "the program typed:" << typed.str() << "\n";
    if (std::none_of(events.begin(), events.end(),
                     [](const auto& e) { return IsPhysicalButton(e) && IsLeftButton(e); }))
        failures << "the recorder saw not even the sentinel's click\n";
    if (std::any_of(events.begin(), events.end(),
                    [](const auto& e) { return IsPhysicalButton(e) && !IsLeftButton(e); }))
        failures << "the press went past the program's hook\n";
    if (pad.CountOtherButtonMessages() != 0) failures << "the press reached the window\n";
    if (failures.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << failures.str();
}

}  // namespace tressel::testing
