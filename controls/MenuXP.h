#pragma once
// An owner-drawn popup menu: it owns its menu handle, the item objects appended to it (each
// item's address is its entry's item data) and the menus of its submenu entries. Every entry
// shows an icon on a square at its left and its text; the background is a picture laid at the
// menu's top-left corner or a plain colour. Deleting the top-level menu deletes the whole tree.

#include <windows.h>

#include <memory>
#include <string>

#include "controls/MenuXPText.h"
#include "framework/UniqueHandle.h"

namespace tressel {

class CMenuXP {
  public:
    static constexpr UINT kSeparatorHeight = 8;

    CMenuXP();
    CMenuXP(const CMenuXP&) = delete;
    CMenuXP& operator=(const CMenuXP&) = delete;
    virtual ~CMenuXP();

    // Creates a new popup menu handle and attaches it; false when the system refuses.
    bool CreatePopupMenu();
    // Takes over `menu`, which must not belong to another CMenuXP.
    bool Attach(HMENU menu);
    HMENU GetHandle() const { return menu_.get(); }

    // Takes over `bitmap` as the background picture; a null handle drops the current one.
    void SetBackBitmap(HBITMAP bitmap);
    HBITMAP backBitmap() const { return backBitmap_.get(); }

    void SetBackColour(COLORREF colour) { backColour_ = colour; }
    void SetSelectedBackColour(COLORREF colour) { selectedBackColour_ = colour; }
    void SetTextColour(COLORREF colour) { textColour_ = colour; }
    void SetSelectedTextColour(COLORREF colour) { selectedTextColour_ = colour; }
    COLORREF backColour() const { return backColour_; }
    COLORREF selectedBackColour() const { return selectedBackColour_; }
    COLORREF textColour() const { return textColour_; }
    COLORREF selectedTextColour() const { return selectedTextColour_; }
    HFONT menuFont() const { return menuFont_.get(); }

    // Appends an owner-drawn entry with the item's command id; the item's address becomes the
    // entry's data and the menu owns the item from then on (also when appending fails, in which
    // case the item is deleted at once).
    bool AppendItem(std::unique_ptr<CMenuXPText> item);
    // Appends an owner-drawn separator line.
    bool AppendSeparator();
    // Appends `submenu` as an owner-drawn popup entry described by `item` (command id 0); this
    // menu then owns both.
    bool AppendSubmenu(std::unique_ptr<CMenuXP> submenu, std::unique_ptr<CMenuXPText> item);

    // Called with the system's records when the owner window is asked to measure or draw an
    // entry of this menu. Entries of other kinds, or whose data is not an item of this class,
    // are left alone.
    virtual void DrawItem(const DRAWITEMSTRUCT& draw);
    virtual void MeasureItem(MEASUREITEMSTRUCT& measure);

    // For the owner window's WM_MEASUREITEM / WM_DRAWITEM: hands a menu entry's request to the
    // CMenuXP that owns it. True when a CMenuXP took the request.
    static bool HandleMeasureItem(MEASUREITEMSTRUCT& measure);
    static bool HandleDrawItem(const DRAWITEMSTRUCT& draw);
    // The CMenuXP that a menu handle belongs to, or null.
    static CMenuXP* FromHandle(HMENU menu);
    // The item object behind an entry's data when it is a live item of this class, or null.
    static CMenuXPItem* ItemFromData(ULONG_PTR data);

  protected:
    virtual void DrawBackground(HDC dc, const RECT& rect, bool selected);
    virtual void DrawButton(HDC dc, const RECT& square, bool selected, bool checked);
    virtual void DrawCheckMark(HDC dc, const RECT& rect);
    virtual void DrawIcon(HDC dc, const RECT& rect, HICON icon);
    virtual void DrawItemText(HDC dc, const RECT& rect, const std::wstring& text, bool selected);
    virtual void DrawTextParts(HDC dc, const RECT& rect, const std::wstring& text, COLORREF colour);

  private:
    void DropBackBitmap();
    // Appends an owner-drawn entry for `item` (a popup entry of `submenu` when given).
    bool AppendOwnerDrawn(const CMenuXPText& item, HMENU submenu);

    UniqueMenu menu_;
    UniqueFont menuFont_;
    COLORREF backColour_;
    COLORREF selectedBackColour_;
    COLORREF textColour_;
    COLORREF selectedTextColour_;
    UniqueBitmap backBitmap_;
    UniqueMemoryDC backDC_;
    HGDIOBJ backDCPrevious_ = nullptr;
};

}  // namespace tressel
