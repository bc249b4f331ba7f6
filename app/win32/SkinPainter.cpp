#include "app/win32/SkinPainter.h"

#include <vector>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {

constexpr COLORREF kDotEdge = RGB(0x12, 0x14, 0x19);

// Restores the context's pens, brushes, font and text settings when it goes out of scope.
class SavedContext {
  public:
    explicit SavedContext(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedContext(const SavedContext&) = delete;
    SavedContext& operator=(const SavedContext&) = delete;
    ~SavedContext() {
        if (saved_) RestoreDC(dc_, saved_);
    }

  private:
    HDC dc_;
    int saved_;
};

}  // namespace

void PaintSkin(HDC dc, HBITMAP skin, const RECT& client) {
    BITMAP info{};
    if (!skin || !GetObjectW(skin, sizeof info, &info)) return;
    UniqueMemoryDC source(CreateCompatibleDC(dc));
    if (!source) return;
    const HGDIOBJ previous = SelectObject(source.get(), skin);
    const int w = info.bmWidth, h = info.bmHeight;
    BitBlt(dc, 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
    // No part of the client may stay key-coloured: that part would be a hole in the window.
    const int extraX = client.right - w, extraY = client.bottom - h;
    if (extraX > 0) StretchBlt(dc, w, 0, extraX, h, source.get(), w - 1, 0, 1, h, SRCCOPY);
    if (extraY > 0) StretchBlt(dc, 0, h, w, extraY, source.get(), 0, h - 1, w, 1, SRCCOPY);
    if (extraX > 0 && extraY > 0) {
        StretchBlt(dc, w, h, extraX, extraY, source.get(), w - 1, h - 1, 1, 1, SRCCOPY);
    }
    SelectObject(source.get(), previous);
}

void PaintSkinGuides(HDC dc, const SkinGuides& guides) {
    UniquePen leaderPen(CreatePen(PS_SOLID, 2, kGuideLeader));
    UniquePen edgePen(CreatePen(PS_SOLID, 1, kGuideBoxEdge));
    UniquePen dotPen(CreatePen(PS_SOLID, 1, kDotEdge));
    UniqueBrush fill(CreateSolidBrush(kGuideBoxFill));
    UniqueBrush dotFill(CreateSolidBrush(kGuideLeader));
    // A pixel height, not points: the window keeps its 96-dpi size at every resolution.
    UniqueFont titleFont(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, L"Microsoft Sans Serif"));
    // Declared after the objects: the context lets go of them before they are deleted (DeleteObject
    // fails for an object still selected into a context: Win32 documentation of DeleteObject).
    SavedContext saved(dc);

    // Dots on the mouse first: each line then runs out of its dot without a seam.
    SelectObject(dc, dotPen.get());
    SelectObject(dc, dotFill.get());
    for (const InputGuide& guide : guides.inputs) {
        const Point a = guide.leader.front();
        Ellipse(dc, a.x - 3, a.y - 3, a.x + 4, a.y + 4);
    }
    // Then the lines, and the boxes over their ends, so that each line stops at its box's edge.
    SelectObject(dc, leaderPen.get());
    for (const InputGuide& guide : guides.inputs) {
        std::vector<POINT> points;
        for (Point p : guide.leader) points.push_back({p.x, p.y});
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
    SelectObject(dc, edgePen.get());
    SelectObject(dc, fill.get());
    auto drawBox = [dc](const Rect& r) { RoundRect(dc, r.left, r.top, r.right, r.bottom, 6, 6); };
    for (const InputGuide& guide : guides.inputs) drawBox(guide.box);
    drawBox(guides.programsBox);
    drawBox(guides.saveBox);
    if (titleFont) SelectObject(dc, titleFont.get());
    SetTextAlign(dc, TA_LEFT | TA_BOTTOM);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kGuideTitle);
    for (const InputGuideInfo& info : kInputGuides) {
        const Point at = guides.inputs[ToIndex(info.input)].titleBottomLeft;
        TextOutW(dc, at.x, at.y, info.title.data(), static_cast<int>(info.title.size()));
    }
    const Point at = guides.programsTitleBottomLeft;
    TextOutW(dc, at.x, at.y, kProgramsGuideTitle.data(),
             static_cast<int>(kProgramsGuideTitle.size()));
}

}  // namespace tressel
