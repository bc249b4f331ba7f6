// The function menu derived from the catalogue: every function once in catalogue order, the
// submenu structure and the background bitmap of each popup.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/FunctionCatalogue.h"
#include "config/FunctionMenuTree.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;

void Walk(const MenuNode& popup, std::vector<int>& ids, std::vector<const MenuNode*>& popups) {
    popups.push_back(&popup);
    for (const MenuNode& child : popup.children) {
        if (child.IsPopup()) {
            Walk(child, ids, popups);
        } else {
            EXPECT_TRUE(child.children.empty());
            ids.push_back(child.commandId);
        }
    }
}

std::vector<std::wstring_view> Texts(const MenuNode& popup) {
    std::vector<std::wstring_view> texts;
    for (const MenuNode& child : popup.children) texts.push_back(child.text);
    return texts;
}

const MenuNode& Child(const MenuNode& popup, std::wstring_view text) {
    for (const MenuNode& child : popup.children)
        if (child.text == text) return child;
    ADD_FAILURE() << "no entry";
    return popup;
}

class FunctionMenuTreeTest : public ::testing::Test {
  protected:
    FunctionMenuTreeTest() : top(BuildFunctionMenuTree()) { Walk(top, ids, popups); }
    MenuNode top;
    std::vector<int> ids;
    std::vector<const MenuNode*> popups;
};

TEST_F(FunctionMenuTreeTest, OffersEveryFunctionOnceInCatalogueOrder) {
    std::vector<int> catalogueIds;
    for (const FunctionEntry& f : FunctionCatalogue()) catalogueIds.push_back(f.Id());
    EXPECT_EQ(ids, catalogueIds);
    for (int absent : {11, 55, 61, 62, 63, 64, 68})
        EXPECT_EQ(std::count(ids.begin(), ids.end(), absent), 0) << absent;
}

TEST_F(FunctionMenuTreeTest, HasTenPopupsInOrderOfFirstAppearance) {
    EXPECT_EQ(popups.size(), 10u);
    EXPECT_THAT(Texts(top), ElementsAre(L"No Settings", L"Mouse", L"Office Used", L"Combination",
                                        L"Multimedia", L"NetWork", L"System", L"Run Program"));
    EXPECT_EQ(top.children.front().commandId, 10);
    const MenuNode& combination = Child(top, L"Combination");
    EXPECT_THAT(Texts(combination), ElementsAre(L"Word ", L"Archives "));
    for (const MenuNode& sub : combination.children) EXPECT_TRUE(sub.IsPopup());
    EXPECT_THAT(Texts(Child(combination, L"Archives ")),
                ElementsAre(L"New(Ctrl+N)", L"Open(Ctrl+O)", L"Save(Ctrl+S)", L"Print(Ctrl+P)"));
    const MenuNode& system = Child(top, L"System");
    EXPECT_EQ(Child(system, L"Sleep").commandId, 531);
}

TEST_F(FunctionMenuTreeTest, EveryPopupHasItsBackgroundBitmap) {
    for (const MenuNode* popup : popups) {
        EXPECT_FALSE(popup->children.empty());
        int expected = kSubmenuBitmap;
        if (popup == &top) expected = kTopMenuBitmap;
        if (popup->text == L"Run Program") expected = kRunProgramMenuBitmap;
        EXPECT_EQ(popup->bitmapId, expected);
    }
    EXPECT_EQ(top.bitmapId, 150);
    EXPECT_EQ(Child(top, L"Run Program").bitmapId, 157);
    EXPECT_EQ(Child(Child(top, L"Combination"), L"Word ").bitmapId, 156);
}

}  // namespace
}  // namespace tressel
