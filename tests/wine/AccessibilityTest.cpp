// What a screen reader hears: the window's buttons named from another process, as a screen
// reader asks for them, and the owner-drawn function menu's entries read as text.
#include <windows.h>
// windows.h first: oleacc.h relies on its types.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <set>
#include <string>

#include "config/FunctionMenuTree.h"
#include "controls/FunctionMenuBuilder.h"
#include "controls/MenuXP.h"
#include "data/FunctionTable.h"
#include "framework/UniqueHandle.h"
#include "wine/support/RunningTresselTest.h"
#include "wine/support/SettingsChanges.h"

namespace tressel::testing {
namespace {

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// The client object of `control` as a screen reader gets it.
UniqueComPtr<IAccessible> ClientObject(HWND control, HRESULT& found) {
    UniqueComPtr<IAccessible> object;
    found =
        AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(object.put()));
    return object;
}

std::wstring NameOf(IAccessible* object) {
    BSTR name = nullptr;
    if (FAILED(object->get_accName(Self(), &name)) || !name) return L"<no name>";
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

// Where the object says it is on screen, as a window rectangle.
RECT LocationOf(IAccessible* object) {
    LONG left = 0, top = 0, width = 0, height = 0;
    if (FAILED(object->accLocation(&left, &top, &width, &height, Self()))) return {};
    return {left, top, left + width, top + height};
}

RECT ScreenRect(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return r;
}

class AccessibilityTest : public RunningTresselTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        RunningTresselTest::SetUp();
    }
    void TearDown() override {
        RunningTresselTest::TearDown();
        CoUninitialize();
    }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
};

struct NamedControl {
    int id;
    const wchar_t* name;
};

// clang-format off
constexpr NamedControl kFreshNames[] = {
    {IDOK, L"Close"},
    {1007, L"Save and hide"},
    {1000, L"Right Button"},
    {1001, L"Middle Button"},
    {1002, L"X1 Button"},
    {1003, L"X2 Button"},
    {1004, L"Wheel Down"},
    {1005, L"Wheel Up"},
    {1010, L"Settings for: All programs"},
};
// clang-format on

TEST_F(AccessibilityTest, AnotherProcessHearsWhatEveryButtonIs) {
    for (const NamedControl& control : kFreshNames) {
        HRESULT found = E_FAIL;
        UniqueComPtr<IAccessible> object = ClientObject(Control(control.id), found);
        ASSERT_EQ(found, S_OK) << "control " << control.id;
        EXPECT_EQ(NameOf(object.get()), control.name) << "control " << control.id;
        // Everything but the name is the system's object's: where the button is, say. (Its role
        // too, but Wine 8's system object of a button is a plain client, not a push button.)
        const RECT location = LocationOf(object.get());
        const RECT onScreen = ScreenRect(Control(control.id));
        EXPECT_TRUE(EqualRect(&location, &onScreen)) << "control " << control.id;
    }
}

TEST_F(AccessibilityTest, TheNameFollowsTheFunctionEvenForAnObjectHeldBefore) {
    HRESULT found = E_FAIL;
    UniqueComPtr<IAccessible> held = ClientObject(Control(1003), found);
    ASSERT_EQ(found, S_OK);
    ASSERT_EQ(NameOf(held.get()), L"X2 Button");

    ASSERT_NO_FATAL_FAILURE(AssignCopyToX2(window_, app_.Id()));

    EXPECT_EQ(NameOf(held.get()), L"X2 Button: Copy");
    UniqueComPtr<IAccessible> fresh = ClientObject(Control(1003), found);
    ASSERT_EQ(found, S_OK);
    EXPECT_EQ(NameOf(fresh.get()), L"X2 Button: Copy");
}

// The function menu's entries draw their own texts; the same texts are the entries' strings,
// which screen readers and GetMenuString read.
TEST(FunctionMenuTextTest, EveryEntryCarriesTheTextItShows) {
    std::unique_ptr<CMenuXP> top = BuildFunctionMenu(BuildFunctionMenuTree());
    ASSERT_NE(top, nullptr);
    wchar_t text[128] = {};
    for (const FunctionRow& row : kFunctionTable) {
        text[0] = L'\0';
        GetMenuStringW(top->GetHandle(), static_cast<UINT>(row.id), text, 128, MF_BYCOMMAND);
        EXPECT_EQ(std::wstring(text), std::wstring(row.menuText)) << row.name;
    }

    std::set<std::wstring> expectedSubmenus;
    for (const FunctionRow& row : kFunctionTable) {
        if (!row.menu.empty()) expectedSubmenus.emplace(row.menu);
        if (!row.submenu.empty()) expectedSubmenus.emplace(row.submenu);
    }
    std::set<std::wstring> submenus;
    auto collect = [&](auto& self, HMENU menu) -> void {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            if (HMENU sub = GetSubMenu(menu, i)) {
                text[0] = L'\0';
                GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
                submenus.emplace(text);
                self(self, sub);
            }
        }
    };
    collect(collect, top->GetHandle());
    EXPECT_EQ(submenus, expectedSubmenus);
}

}  // namespace
}  // namespace tressel::testing
