// The owner-drawn menus: measuring and drawing entries into memory pictures, ownership of the
// item and submenu objects, and the real function menu shown and closed many times.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "config/FunctionMenuTree.h"
#include "controls/FunctionMenuBuilder.h"
#include "controls/MemoryPicture.h"
#include "controls/MenuXP.h"
#include "resource.h"
#include "wine/ControlsTestHost.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

constexpr COLORREF kGrey = 0xD7D7D7;
constexpr COLORREF kSelected = RGB(0, 0, 160);
constexpr COLORREF kSelectedText = RGB(255, 255, 0);

HICON EntryIcon() {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(IDI_MENU_ENTRY), IMAGE_ICON, 16, 16, 0));
}

// A menu with one entry and the measure/draw records of that entry.
struct OneEntryMenu {
    CMenuXP menu;
    CMenuXPText* item = nullptr;
    explicit OneEntryMenu(const wchar_t* text, HICON icon = nullptr) {
        EXPECT_TRUE(menu.CreatePopupMenu());
        menu.SetBackColour(kGrey);
        menu.SetTextColour(RGB(0, 0, 0));
        menu.SetSelectedBackColour(kSelected);
        menu.SetSelectedTextColour(kSelectedText);
        auto entry = std::make_unique<CMenuXPText>(24, text, icon);
        item = entry.get();
        EXPECT_TRUE(menu.AppendItem(std::move(entry)));
    }
    MEASUREITEMSTRUCT Measure() const {
        MEASUREITEMSTRUCT m{};
        m.CtlType = ODT_MENU;
        m.itemID = 24;
        m.itemData = reinterpret_cast<ULONG_PTR>(item);
        EXPECT_TRUE(CMenuXP::HandleMeasureItem(m));
        return m;
    }
    // Draws the entry at (0, top) of `picture`, `width` wide and 20 high.
    void Draw(MemoryPicture& picture, int top, int width, bool selected, UINT state = 0) {
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_MENU;
        d.itemID = 24;
        d.itemAction = ODA_DRAWENTIRE;
        d.itemState = (selected ? ODS_SELECTED : 0) | state;
        d.hwndItem = reinterpret_cast<HWND>(menu.GetHandle());
        d.hDC = picture.dc();
        d.rcItem = {0, top, width, top + 20};
        d.itemData = reinterpret_cast<ULONG_PTR>(item);
        EXPECT_TRUE(CMenuXP::HandleDrawItem(d));
    }
};

MemoryPicture Canvas(int w, int h, COLORREF fill = RGB(255, 0, 255)) {
    MemoryPicture picture;
    HDC screen = GetDC(nullptr);
    picture.Create(screen, w, h);
    ReleaseDC(nullptr, screen);
    UniqueBrush brush(CreateSolidBrush(fill));
    const RECT all{0, 0, w, h};
    FillRect(picture.dc(), &all, brush.get());
    return picture;
}

// Columns in [x0, x1) of rows [y0, y1) holding a pixel of `colour`.
int Count(const MemoryPicture& p, COLORREF colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (GetPixel(p.dc(), x, y) == colour) ++n;
    return n;
}

HBITMAP UniformBitmap(COLORREF colour, int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.get(), bitmap);
    UniqueBrush brush(CreateSolidBrush(colour));
    const RECT all{0, 0, w, h};
    FillRect(dc.get(), &all, brush.get());
    SelectObject(dc.get(), old);
    return bitmap;
}

TEST(MenuXPMeasureTest, HeightIsAtLeastTwentyAndWidthFollowsTheText) {
    OneEntryMenu entry(L"Copy(Ctrl+C)");
    const MEASUREITEMSTRUCT m = entry.Measure();

    HDC screen = GetDC(nullptr);
    LOGFONTW description{};
    GetObjectW(entry.menu.menuFont(), sizeof description, &description);
    description.lfWeight = FW_NORMAL;
    UniqueFont font(CreateFontIndirectW(&description));
    HGDIOBJ old = SelectObject(screen, font.get());
    SIZE extent{};
    GetTextExtentPoint32W(screen, L"Copy(Ctrl+C)", 12, &extent);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(static_cast<int>(m.itemHeight), std::max(20, static_cast<int>(extent.cy)));
    EXPECT_EQ(static_cast<int>(m.itemWidth),
              2 * 16 + extent.cx + 12 + 1 - GetSystemMetrics(SM_CXMENUCHECK));

    OneEntryMenu longer(L"Copy(Ctrl+C) and a much longer text");
    EXPECT_GT(longer.Measure().itemWidth, m.itemWidth);
}

TEST(MenuXPDrawTest, ATabSplitsTheTextIntoALeftAndARightAlignedPart) {
    OneEntryMenu entry(L"Word\tKey");
    MemoryPicture picture = Canvas(300, 20);
    entry.Draw(picture, 0, 300, false);
    const COLORREF black = RGB(0, 0, 0);
    // Text rectangle: from 20 + 2 to 300 - 16.
    EXPECT_GT(Count(picture, black, 22, 0, 80, 20), 5);    // "Word" at the left
    EXPECT_EQ(Count(picture, black, 80, 0, 240, 20), 0);   // nothing in between
    EXPECT_GT(Count(picture, black, 250, 0, 284, 20), 5);  // "Key" ends at the right edge
    EXPECT_EQ(Count(picture, black, 284, 0, 300, 20), 0);
    EXPECT_EQ(Count(picture, RGB(255, 0, 255), 0, 0, 300, 20), 0);  // the whole entry filled

    OneEntryMenu leading(L"\tKey");
    MemoryPicture empty = Canvas(300, 20);
    leading.Draw(empty, 0, 300, false);
    EXPECT_EQ(Count(empty, black, 0, 0, 300, 20), 0);
}

TEST(MenuXPDrawTest, TheSelectedEntryIsHighlightedWithARaisedIconSquare) {
    OneEntryMenu entry(L"Paste", EntryIcon());
    MemoryPicture picture = Canvas(200, 20);
    entry.Draw(picture, 0, 200, true);
    // Highlight over the rest of the width, the text in the selected text colour.
    EXPECT_EQ(GetPixel(picture.dc(), 21, 1), kSelected);
    EXPECT_EQ(GetPixel(picture.dc(), 199, 19), kSelected);
    EXPECT_GT(Count(picture, kSelectedText, 22, 0, 184, 20), 5);
    // The icon square 20 x 20: raised edge (light top-left, dark bottom-right) around backColour.
    EXPECT_EQ(GetPixel(picture.dc(), 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(picture.dc(), 19, 19), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(picture.dc(), 1, 1), kGrey);
    EXPECT_EQ(Count(picture, kSelected, 0, 0, 20, 20), 0);

    MemoryPicture plain = Canvas(200, 20);
    entry.Draw(plain, 0, 200, false);
    EXPECT_EQ(GetPixel(plain.dc(), 0, 0), kGrey);  // no edge when not selected
    EXPECT_EQ(Count(plain, kSelected, 0, 0, 200, 20), 0);
}

TEST(MenuXPDrawTest, TheCheckedEntryShowsItsSquarePressedInWithACheckMark) {
    OneEntryMenu entry(L"All programs");
    const COLORREF black = RGB(0, 0, 0);
    for (bool selected : {false, true}) {
        MemoryPicture picture = Canvas(200, 20);
        entry.Draw(picture, 0, 200, selected, ODS_CHECKED);
        // Sunken: dark top-left, light bottom-right, the mark inside in the text colour.
        EXPECT_EQ(GetPixel(picture.dc(), 0, 0), GetSysColor(COLOR_BTNSHADOW)) << selected;
        EXPECT_EQ(GetPixel(picture.dc(), 19, 19), GetSysColor(COLOR_BTNHIGHLIGHT)) << selected;
        EXPECT_GT(Count(picture, black, 2, 2, 18, 18), 5) << selected;
    }
    MemoryPicture unchecked = Canvas(200, 20);
    entry.Draw(unchecked, 0, 200, false);
    EXPECT_EQ(Count(unchecked, black, 0, 0, 20, 20), 0);
    EXPECT_EQ(GetPixel(unchecked.dc(), 0, 0), kGrey);
}

TEST(MenuXPDrawTest, AUniformBackgroundPictureLooksLikeThePlainFill) {
    OneEntryMenu plain(L"Zoom In\tCtrl", EntryIcon());
    OneEntryMenu pictured(L"Zoom In\tCtrl", EntryIcon());
    pictured.menu.SetBackBitmap(UniformBitmap(kGrey, 432, 260));
    ASSERT_NE(pictured.menu.backBitmap(), nullptr);
    MemoryPicture a = Canvas(250, 60);
    MemoryPicture b = Canvas(250, 60);
    plain.Draw(a, 40, 250, false);
    pictured.Draw(b, 40, 250, false);
    for (int y = 40; y < 60; ++y)
        for (int x = 0; x < 250; ++x)
            ASSERT_EQ(GetPixel(a.dc(), x, y), GetPixel(b.dc(), x, y)) << x << "," << y;
    // Selected entries ignore the picture.
    pictured.menu.SetBackBitmap(UniformBitmap(RGB(10, 200, 10), 432, 260));
    pictured.Draw(b, 0, 250, true);
    EXPECT_EQ(GetPixel(b.dc(), 100, 10), kSelected);
    pictured.Draw(b, 0, 250, false);
    EXPECT_EQ(GetPixel(b.dc(), 100, 2), RGB(10, 200, 10));
    pictured.menu.SetBackBitmap(nullptr);
    EXPECT_EQ(pictured.menu.backBitmap(), nullptr);
    pictured.Draw(b, 0, 250, false);
    EXPECT_EQ(GetPixel(b.dc(), 100, 2), kGrey);
}

// --- Ownership -------------------------------------------------------------------------------

int itemsDeleted = 0;
int menusDeleted = 0;
struct CountedText : CMenuXPText {
    using CMenuXPText::CMenuXPText;
    ~CountedText() override { ++itemsDeleted; }
};
struct CountedMenu : CMenuXP {
    ~CountedMenu() override { ++menusDeleted; }
};

std::unique_ptr<CountedMenu> MenuWith(int items, int firstId) {
    auto menu = std::make_unique<CountedMenu>();
    EXPECT_TRUE(menu->CreatePopupMenu());
    for (int i = 0; i < items; ++i)
        EXPECT_TRUE(
            menu->AppendItem(std::make_unique<CountedText>(firstId + i, L"entry", EntryIcon())));
    return menu;
}

TEST(MenuXPOwnershipTest, DeletingTheTopMenuDeletesEveryItemAndSubmenuOnce) {
    itemsDeleted = menusDeleted = 0;
    auto top = MenuWith(2, 10);
    auto middle = MenuWith(3, 20);
    auto bottom = MenuWith(4, 30);
    const HMENU handles[] = {top->GetHandle(), middle->GetHandle(), bottom->GetHandle()};
    ASSERT_TRUE(middle->AppendSubmenu(std::move(bottom),
                                      std::make_unique<CountedText>(0, L"Bottom", EntryIcon())));
    ASSERT_TRUE(top->AppendSubmenu(std::move(middle),
                                   std::make_unique<CountedText>(0, L"Middle", EntryIcon())));
    EXPECT_EQ(itemsDeleted, 0);
    top.reset();
    EXPECT_EQ(itemsDeleted, 2 + 3 + 4 + 2);
    EXPECT_EQ(menusDeleted, 3);
    for (HMENU h : handles) {
        EXPECT_FALSE(IsMenu(h));
        EXPECT_EQ(CMenuXP::FromHandle(h), nullptr);
    }
}

TEST(MenuXPOwnershipTest, EntriesWithoutAnItemObjectAreLeftAlone) {
    struct Foreign {
        std::uint32_t marker = 0x12345678;
        int touched = 0;
    } foreign;
    itemsDeleted = 0;
    auto menu = MenuWith(1, 10);
    ASSERT_TRUE(
        AppendMenuW(menu->GetHandle(), MF_OWNERDRAW, 77, reinterpret_cast<LPCWSTR>(&foreign)));
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemID = 77;
    m.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
    EXPECT_FALSE(CMenuXP::HandleMeasureItem(m));
    EXPECT_EQ(m.itemWidth, 0u);
    menu->MeasureItem(m);
    EXPECT_EQ(m.itemHeight, 0u);

    MemoryPicture picture = Canvas(100, 20);
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = 77;
    d.hwndItem = reinterpret_cast<HWND>(menu->GetHandle());
    d.hDC = picture.dc();
    d.rcItem = {0, 0, 100, 20};
    d.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
    EXPECT_FALSE(CMenuXP::HandleDrawItem(d));
    EXPECT_EQ(Count(picture, RGB(255, 0, 255), 0, 0, 100, 20), 100 * 20);

    // Requests that are not for menus are not taken either.
    m.CtlType = ODT_BUTTON;
    EXPECT_FALSE(CMenuXP::HandleMeasureItem(m));

    menu.reset();
    EXPECT_EQ(itemsDeleted, 1);
    EXPECT_EQ(foreign.marker, 0x12345678u);
}

// --- The function menu -----------------------------------------------------------------------

void CollectMenus(HMENU menu, std::vector<HMENU>& menus) {
    menus.push_back(menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (HMENU sub = GetSubMenu(menu, i)) CollectMenus(sub, menus);
}

TEST(FunctionMenuTest, TheBuiltTreeHasTenOwnerDrawnMenusWithPicturesAndIcons) {
    std::unique_ptr<CMenuXP> top = BuildFunctionMenu(BuildFunctionMenuTree());
    std::vector<HMENU> menus;
    CollectMenus(top->GetHandle(), menus);
    ASSERT_EQ(menus.size(), 10u);
    EXPECT_EQ(GetMenuItemCount(top->GetHandle()), 8);
    std::vector<HBITMAP> bitmaps;
    for (HMENU h : menus) {
        CMenuXP* menu = CMenuXP::FromHandle(h);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->backColour(), kGrey);
        EXPECT_EQ(menu->textColour(), RGB(0, 0, 0));
        ASSERT_NE(menu->backBitmap(), nullptr);
        BITMAP info{};
        GetObjectW(menu->backBitmap(), sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 432);
        EXPECT_EQ(info.bmHeight, 260);
        bitmaps.push_back(menu->backBitmap());
        for (int i = 0; i < GetMenuItemCount(h); ++i) {
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
            ASSERT_TRUE(GetMenuItemInfoW(h, i, TRUE, &item));
            EXPECT_TRUE(item.fType & MFT_OWNERDRAW);
            const CMenuXPItem* entry = CMenuXP::ItemFromData(item.dwItemData);
            ASSERT_NE(entry, nullptr);
            EXPECT_NE(entry->icon(), nullptr);
            if (item.hSubMenu)
                EXPECT_EQ(entry->commandId(), 0u);
            else
                EXPECT_EQ(entry->commandId(), item.wID);
        }
    }
    // One bitmap per menu, all deleted with the tree.
    std::sort(bitmaps.begin(), bitmaps.end());
    EXPECT_EQ(std::unique(bitmaps.begin(), bitmaps.end()), bitmaps.end());
    top.reset();
    for (HBITMAP b : bitmaps) EXPECT_EQ(GetObjectType(b), 0u);
    for (HMENU h : menus) EXPECT_FALSE(IsMenu(h));
}

// What one showing of the function menu held, gathered while it is open.
struct Held {
    std::vector<HMENU> menus;
    std::vector<HBITMAP> bitmaps;
    std::vector<HICON> icons;
};
ControlsTestHost* openHost = nullptr;
Held* held = nullptr;
size_t firstPopup = 0;  // index in the host's popups of this showing's top menu

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (held && openHost && openHost->popups().size() > firstPopup) {
        CollectMenus(openHost->popups()[firstPopup], held->menus);
        for (HMENU h : held->menus) {
            if (CMenuXP* menu = CMenuXP::FromHandle(h)) held->bitmaps.push_back(menu->backBitmap());
            for (int i = 0; i < GetMenuItemCount(h); ++i) {
                MENUITEMINFOW item{};
                item.cbSize = sizeof item;
                item.fMask = MIIM_DATA;
                GetMenuItemInfoW(h, i, TRUE, &item);
                if (const CMenuXPItem* entry = CMenuXP::ItemFromData(item.dwItemData))
                    held->icons.push_back(entry->icon());
            }
        }
    }
    EndMenu();
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

TEST(FunctionMenuTest, ShowingAndClosingAHundredTimesLeavesNothingBehind) {
    ControlsTestHost host(200, 100, RGB(30, 30, 30), RGB(30, 30, 30));
    openHost = &host;
    auto showOnce = [&](Held* record) {
        held = record;
        firstPopup = host.popups().size();
        SetTimer(nullptr, 0, 30, &CloseMenu);
        ShowFunctionMenu(host.hwnd(), 150, 150, false);
        PumpMessages();
        held = nullptr;
    };
    Held first;
    showOnce(&first);  // first showing: lazily created system objects are not counted
    ASSERT_GT(host.menuDraws(), 0) << "the menu was not drawn by its owner";
    ASSERT_EQ(first.menus.size(), 10u) << "the function menu did not open";
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 100; ++i) {
        Held record;
        showOnce(&record);
        ASSERT_EQ(record.menus.size(), 10u) << "showing " << i;
        ASSERT_EQ(record.bitmaps.size(), 10u);
        ASSERT_EQ(record.icons.size(), 62u);
        for (HMENU h : record.menus) ASSERT_FALSE(IsMenu(h));
        for (HBITMAP b : record.bitmaps) ASSERT_EQ(GetObjectType(b), 0u);
        for (HICON icon : record.icons) ASSERT_FALSE(IconAlive(icon));
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
    EXPECT_EQ(host.lastCommand(), 0u);  // dismissed menus deliver no command
    std::printf("GDI objects %lu, USER objects %lu, menu draws %d\n", gdi, user, host.menuDraws());
    openHost = nullptr;
}

}  // namespace
}  // namespace tressel::testing
