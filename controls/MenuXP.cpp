#include "controls/MenuXP.h"

#include <algorithm>
#include <unordered_map>

#include "controls/SystemPalette.h"

namespace tressel {
namespace {

// Which CMenuXP a menu handle belongs to, and which CMenuXP owns a live item object. The
// system's measure record carries only the item data, and the item data of an owner-drawn
// entry may be anything, so an item is only ever used after it is found here.
std::unordered_map<HMENU, CMenuXP*>& Menus() {
    static std::unordered_map<HMENU, CMenuXP*> menus;
    return menus;
}
std::unordered_map<const CMenuXPItem*, CMenuXP*>& Items() {
    static std::unordered_map<const CMenuXPItem*, CMenuXP*> items;
    return items;
}

UniqueFont SystemMenuFont() {
    // The pre-Vista size of the structure, which every system version accepts.
    constexpr UINT kMetricsSize = 500;
    NONCLIENTMETRICSW metrics{};
    static_assert(sizeof metrics >= kMetricsSize);
    metrics.cbSize = kMetricsSize;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kMetricsSize, &metrics, 0)) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.lfMenuFont,
                   &metrics.lfMenuFont);
    }
    return UniqueFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

}  // namespace

CMenuXP::CMenuXP()
    : menuFont_(SystemMenuFont()),
      backColour_(GetSysColor(COLOR_MENU)),
      selectedBackColour_(GetSysColor(COLOR_HIGHLIGHT)),
      textColour_(GetSysColor(COLOR_MENUTEXT)),
      selectedTextColour_(GetSysColor(COLOR_HIGHLIGHTTEXT)) {}

CMenuXP::~CMenuXP() {
    menuFont_.reset();
    DropBackBitmap();
    if (HMENU menu = menu_.get()) {
        // Backwards, so that detaching a submenu entry leaves the positions still to visit.
        for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
            if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
            if (info.fType & MFT_OWNERDRAW) {
                if (CMenuXPItem* item = ItemFromData(info.dwItemData)) {
                    Items().erase(item);
                    std::unique_ptr<CMenuXPItem> adopted(item);  // the entry's data owned it
                }
            }
            if (CMenuXP* submenu = FromHandle(info.hSubMenu)) {
                // Detached first: the submenu destroys its own handle, and destroying this
                // menu's handle must not reach the already destroyed one again.
                RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
                std::unique_ptr<CMenuXP> adopted(submenu);
            }
        }
        Menus().erase(menu);
    }
    backDC_.reset();
    menu_.reset();
}

bool CMenuXP::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

bool CMenuXP::Attach(HMENU menu) {
    if (!menu || menu_ || Menus().count(menu)) return false;
    menu_.reset(menu);
    Menus()[menu] = this;
    return true;
}

CMenuXP* CMenuXP::FromHandle(HMENU menu) {
    if (!menu) return nullptr;
    auto it = Menus().find(menu);
    return it == Menus().end() ? nullptr : it->second;
}

CMenuXPItem* CMenuXP::ItemFromData(ULONG_PTR data) {
    auto* item = reinterpret_cast<const CMenuXPItem*>(data);
    auto it = Items().find(item);
    if (it == Items().end()) return nullptr;
    CMenuXPItem* known = const_cast<CMenuXPItem*>(it->first);
    return known->marker() == CMenuXPItem::kMarker ? known : nullptr;
}

void CMenuXP::DropBackBitmap() {
    // A bitmap cannot be deleted while it is selected into a context.
    if (backDC_ && backDCPrevious_) SelectObject(backDC_.get(), backDCPrevious_);
    backDCPrevious_ = nullptr;
    backBitmap_.reset();
}

void CMenuXP::SetBackBitmap(HBITMAP bitmap) {
    if (!bitmap) {
        DropBackBitmap();
        backDC_.reset();
        return;
    }
    if (bitmap == backBitmap_.get()) return;
    if (!backDC_) backDC_.reset(CreateCompatibleDC(nullptr));
    if (!backDC_) {
        DeleteObject(bitmap);  // taken over, but there is nowhere to use it
        return;
    }
    HGDIOBJ previous = SelectObject(backDC_.get(), bitmap);
    if (!backDCPrevious_) backDCPrevious_ = previous;
    backBitmap_.reset(bitmap);  // a picture given earlier is out of the context now
}

bool CMenuXP::AppendOwnerDrawn(const CMenuXPText& item, HMENU submenu) {
    // The entry carries its text as well as the item object: the menu still draws it, but
    // screen readers and GetMenuString read the text. With MIIM_FTYPE and MIIM_STRING (which
    // replace MIIM_TYPE) the type and the text are set apart, and the item data stays ours.
    // https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-menuiteminfow
    // A separator stays owner-drawn, so that it lies on the menu's own background, and keeps
    // MFT_SEPARATOR, so that the keyboard passes over it; the check state is the system's own
    // (MFS_CHECKED), so that the drawing request and GetMenuState both tell it.
    std::wstring text = item.text();
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | (submenu ? MIIM_SUBMENU : 0u) |
                 (item.separator() ? 0u : MIIM_STRING);
    info.fType = MFT_OWNERDRAW | (item.separator() ? MFT_SEPARATOR : 0u);
    info.fState = item.checked() ? MFS_CHECKED : MFS_UNCHECKED;
    // A popup entry keeps the id AppendMenu gave it: its submenu's handle.
    info.wID = submenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu)) : item.commandId();
    info.hSubMenu = submenu;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    return InsertMenuItemW(menu_.get(), static_cast<UINT>(GetMenuItemCount(menu_.get())), TRUE,
                           &info) != FALSE;
}

bool CMenuXP::AppendItem(std::unique_ptr<CMenuXPText> item) {
    if (!item || !menu_) return false;
    if (!AppendOwnerDrawn(*item, nullptr)) return false;
    Items()[item.get()] = this;
    item.release();  // owned through the entry's data; adopted back by the destructor
    return true;
}

bool CMenuXP::AppendSeparator() {
    auto item = std::make_unique<CMenuXPText>(0, std::wstring(), nullptr);
    item->SetSeparator();
    return AppendItem(std::move(item));
}

bool CMenuXP::AppendSubmenu(std::unique_ptr<CMenuXP> submenu, std::unique_ptr<CMenuXPText> item) {
    if (!submenu || !submenu->GetHandle() || !item || !menu_) return false;
    if (!AppendOwnerDrawn(*item, submenu->GetHandle())) return false;
    Items()[item.get()] = this;
    item.release();     // owned through the entry's data
    submenu.release();  // owned through the entry's submenu handle (see FromHandle)
    return true;
}

bool CMenuXP::HandleMeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) return false;
    CMenuXPItem* item = ItemFromData(measure.itemData);
    if (!item) return false;
    Items()[item]->MeasureItem(measure);
    return true;
}

bool CMenuXP::HandleDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) return false;
    CMenuXP* menu = FromHandle(reinterpret_cast<HMENU>(draw.hwndItem));
    if (!menu || !ItemFromData(draw.itemData)) return false;
    menu->DrawItem(draw);
    return true;
}

void CMenuXP::MeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) return;
    const CMenuXPItem* item = ItemFromData(measure.itemData);
    if (!item) return;
    if (item->separator()) {
        measure.itemHeight = kSeparatorHeight;
        measure.itemWidth = 1;
        return;
    }

    HDC screen = GetDC(nullptr);
    LOGFONTW description{};
    GetObjectW(menuFont_.get(), sizeof description, &description);
    description.lfWeight = FW_NORMAL;
    UniqueFont font(CreateFontIndirectW(&description));
    HGDIOBJ previous = SelectObject(screen, font.get());
    RECT r{};
    DrawTextW(screen, item->text().c_str(), static_cast<int>(item->text().size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);

    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int icon = item->iconSize();
    measure.itemHeight = static_cast<UINT>(std::max(icon + 4, h));
    // The system adds the width of a check mark to every owner-drawn entry.
    measure.itemWidth = static_cast<UINT>(2 * icon + w + 12 + 1 - GetSystemMetrics(SM_CXMENUCHECK));
}

void CMenuXP::DrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) return;
    const CMenuXPItem* item = ItemFromData(draw.itemData);
    if (!item) return;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const RECT& r = draw.rcItem;
    const int height = r.bottom - r.top;

    if (item->separator()) {
        DrawBackground(draw.hDC, r, false);
        RECT line{r.left + 2, (r.top + r.bottom) / 2 - 1, r.right - 2, (r.top + r.bottom) / 2 + 1};
        DrawEdge(draw.hDC, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool checked = (draw.itemState & ODS_CHECKED) != 0;
    DrawBackground(draw.hDC, r, selected);
    const RECT square{r.left, r.top, r.left + height, r.bottom};
    if (item->icon() || checked) {
        DrawButton(draw.hDC, square, selected, checked);
        const RECT inner{square.left + 2, square.top + 2, square.right - 2, square.bottom - 2};
        if (item->icon())
            DrawIcon(draw.hDC, inner, item->icon());
        else
            DrawCheckMark(draw.hDC, inner);
    }
    const RECT textRect{r.left + height + 2, r.top, r.right - item->iconSize(), r.bottom};
    DrawItemText(draw.hDC, textRect, item->text(), selected);
}

void CMenuXP::DrawBackground(HDC dc, const RECT& rect, bool selected) {
    // In high contrast the system's menu colours, never the picture.
    std::optional<COLORREF> skin = selected ? selectedBackColour_ : backColour_;
    if (backBitmap_ && !selected) skin.reset();
    const auto colour =
        ShownColour(selected ? SkinPart::SelectedMenuBack : SkinPart::MenuBack, skin);
    if (!colour) {
        // The picture lies at the menu's top-left corner: every entry shows its own rows.
        BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               backDC_.get(), 0, rect.top, SRCCOPY);
        return;
    }
    UniqueBrush brush(CreateSolidBrush(*colour));
    FillRect(dc, &rect, brush.get());
}

void CMenuXP::DrawButton(HDC dc, const RECT& square, bool selected, bool checked) {
    // A checked entry's square is pressed in and lit, whether or not the pointer is on it.
    constexpr COLORREF kCheckedSquare = RGB(255, 255, 255);
    UniqueBrush brush(
        CreateSolidBrush(*ShownColour(SkinPart::MenuBack, checked ? kCheckedSquare : backColour_)));
    FillRect(dc, &square, brush.get());
    if (checked || selected) {
        RECT edge = square;
        DrawEdge(dc, &edge, checked ? EDGE_SUNKEN : BDR_RAISEDINNER, BF_RECT);
    }
}

void CMenuXP::DrawCheckMark(HDC dc, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    UniquePen pen(CreatePen(PS_SOLID, 2, *ShownColour(SkinPart::MenuText, textColour_)));
    const HGDIOBJ previous = SelectObject(dc, pen.get());
    const POINT tick[] = {{rect.left + w / 5, rect.top + h / 2},
                          {rect.left + w * 2 / 5, rect.top + h * 3 / 4},
                          {rect.left + w * 4 / 5, rect.top + h / 4}};
    Polyline(dc, tick, 3);
    SelectObject(dc, previous);
}

void CMenuXP::DrawIcon(HDC dc, const RECT& rect, HICON icon) {
    DrawIconEx(dc, rect.left, rect.top, icon, rect.right - rect.left, rect.bottom - rect.top, 0,
               nullptr, DI_NORMAL);
}

void CMenuXP::DrawItemText(HDC dc, const RECT& rect, const std::wstring& text, bool selected) {
    HGDIOBJ previous = SelectObject(dc, menuFont_.get());
    SetBkMode(dc, TRANSPARENT);
    const auto colour = selected ? ShownColour(SkinPart::SelectedMenuText, selectedTextColour_)
                                 : ShownColour(SkinPart::MenuText, textColour_);
    DrawTextParts(dc, rect, text, *colour);
    SelectObject(dc, previous);
}

void CMenuXP::DrawTextParts(HDC dc, const RECT& rect, const std::wstring& text, COLORREF colour) {
    SetTextColor(dc, colour);
    const size_t tab = text.find(L'\t');
    const std::wstring left = text.substr(0, tab);
    RECT r = rect;
    DrawTextW(dc, left.c_str(), static_cast<int>(left.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (tab != std::wstring::npos && tab > 0) {
        const std::wstring right = text.substr(tab + 1);
        r = rect;
        DrawTextW(dc, right.c_str(), static_cast<int>(right.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

}  // namespace tressel
