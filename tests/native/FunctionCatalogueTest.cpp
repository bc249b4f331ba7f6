// The catalogue against the table of functions written out by hand (where the menu offers each
// and how its caption is made), the shipped script files, lookup by command id, the rules that
// tie catalogue entries to the inputs, and the caption of a picked program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "config/FunctionCatalogue.h"
#include "data/FunctionTable.h"
#include "fakes/Describe.h"

namespace tressel {
namespace {

using testing::FunctionRow;
using testing::kFunctionTable;
using testing::RowKind;

const FunctionEntry& Get(FunctionCommand command) {
    const FunctionEntry* entry = FindFunction(static_cast<int>(command));
    EXPECT_NE(entry, nullptr);
    return *entry;
}

FunctionKind KindOf(RowKind kind) {
    switch (kind) {
        case RowKind::Native:
            return FunctionKind::Native;
        case RowKind::Mouse:
            return FunctionKind::MouseEvent;
        case RowKind::Key:
            return FunctionKind::Key;
        case RowKind::Launch:
            return FunctionKind::FixedLaunch;
        case RowKind::ChosenProgram:
            return FunctionKind::ChosenProgram;
        case RowKind::Script:
            return FunctionKind::Script;
    }
    return FunctionKind::Native;
}

// Where the menu offers each function and what its button shows, in menu order.
TEST(FunctionCatalogueTest, EveryEntryIsOfferedAndCaptionedAsItsRowSays) {
    const auto catalogue = FunctionCatalogue();
    ASSERT_EQ(catalogue.size(), kFunctionTable.size());
    for (std::size_t i = 0; i < kFunctionTable.size(); ++i) {
        const FunctionRow& row = kFunctionTable[i];
        const FunctionEntry& f = catalogue[i];
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(f.Id(), row.id);
        EXPECT_EQ(f.name, row.name);

        const int depth = row.menu.empty() ? 0 : row.submenu.empty() ? 1 : 2;
        ASSERT_EQ(f.submenu.depth, depth);
        EXPECT_EQ(f.submenu.levels[0], row.menu);
        EXPECT_EQ(f.submenu.levels[1], row.submenu);
        EXPECT_EQ(f.menuText, row.menuText);

        // What an assignment stores is compared, field by field, where it lands: in the
        // input's record (AssignmentCommandsTest).
        EXPECT_EQ(f.kind, KindOf(row.kind));
        switch (row.kind) {
            case RowKind::Native:
                EXPECT_EQ(f.captionRule, CaptionRule::DefaultCaption);
                break;
            case RowKind::ChosenProgram:
                EXPECT_EQ(f.captionRule, CaptionRule::ChosenFileName);
                break;
            default:
                EXPECT_EQ(f.captionRule, CaptionRule::Fixed);
                EXPECT_EQ(f.caption, row.caption);
                break;
        }
        EXPECT_EQ(f.nativeFor ? testing::Describe(*f.nativeFor) : "", row.nativeFor);
    }
}

// The names are those of the shipped files, misspellings included: a "corrected" name would
// find no file.
TEST(FunctionCatalogueTest, EveryScriptFunctionNamesAShippedFile) {
    const std::filesystem::path folder =
        std::filesystem::path(TRESSEL_SOURCE_DIR) / "resources" / "ScriptsMacros";
    std::set<std::filesystem::path> shipped;
    for (const auto& file : std::filesystem::directory_iterator(folder))
        shipped.insert(file.path().filename());
    int scripts = 0;
    for (const FunctionRow& row : kFunctionTable) {
        if (row.kind != RowKind::Script) continue;
        ++scripts;
        EXPECT_EQ(shipped.count(std::filesystem::path(std::wstring(*row.stores.scriptFile))), 1u)
            << row.name << " names a file that is not shipped";
    }
    EXPECT_EQ(scripts, 8);
}

TEST(FunctionCatalogueTest, LookupFindsEveryEntryByItsOwnIdAndNothingElse) {
    std::set<std::string_view> names;
    for (const FunctionEntry& f : FunctionCatalogue()) {
        EXPECT_EQ(FindFunction(f.Id()), &f) << f.name;
        names.insert(f.name);
    }
    EXPECT_EQ(FunctionCatalogue().size(), 53u);
    EXPECT_EQ(names.size(), 53u);
    for (int id : {0, -1, 9, 11, 55, 61, 62, 63, 64, 68, 530, 532, 65535})
        EXPECT_EQ(FindFunction(id), nullptr) << id;
    EXPECT_EQ(FindFunction(24)->name, "WordCopy");
}

TEST(FunctionCatalogueTest, EachInputHasExactlyOneNativeMouseEventShowingItsDefaultCaption) {
    for (ButtonId input : kAllButtons) {
        std::vector<std::string_view> native;
        for (const FunctionEntry& f : FunctionCatalogue()) {
            if (f.kind == FunctionKind::MouseEvent && !RemapsInput(f, input)) {
                native.push_back(f.name);
                EXPECT_EQ(f.caption, InfoOf(input).defaultCaption);
            }
        }
        EXPECT_EQ(native.size(), 1u) << static_cast<int>(input);
    }
    EXPECT_TRUE(RemapsInput(Get(FunctionCommand::MouseWheelUp), ButtonId::WD));
    EXPECT_FALSE(RemapsInput(Get(FunctionCommand::MouseWheelUp), ButtonId::WU));
    for (ButtonId input : kAllButtons) {
        EXPECT_TRUE(RemapsInput(Get(FunctionCommand::MouseLeftButton), input));
        EXPECT_FALSE(RemapsInput(Get(FunctionCommand::NoSettings), input));
    }
}

TEST(FunctionCatalogueTest, FixedCaptionsFitAnInputButton) {
    for (const FunctionEntry& f : FunctionCatalogue()) {
        if (f.captionRule != CaptionRule::Fixed) continue;
        EXPECT_FALSE(f.caption.empty()) << f.name;
        EXPECT_LE(f.caption.size(), 20u) << f.name;  // what an input button can show
    }
}

TEST(FunctionCatalogueTest, ProgramCaptionIsTheFileNameShortenedToTwentyCharacters) {
    EXPECT_EQ(ProgramCaption(L"C:\\Program Files\\App\\twenty chars!!!!.exe"),
              L"twenty chars!!!!.exe");
    EXPECT_EQ(ProgramCaption(L"C:\\x\\twenty-one chars!.exe"), L"twenty-one chars!...");
    EXPECT_EQ(ProgramCaption(L"C:\\Program Files\\a much longer program name.exe"),
              L"a much longer prog..");
    EXPECT_EQ(ProgramCaption(L"C:/tools/run.exe"), L"run.exe");
    EXPECT_EQ(ProgramCaption(L"plain.exe"), L"plain.exe");
    // A character outside the basic plane that straddles the cut is dropped whole.
    std::wstring name = std::wstring(17, L'a') + L"\xD83D\xDE00" + L"tail.exe";
    EXPECT_EQ(ProgramCaption(L"C:\\" + name), std::wstring(17, L'a') + L"..");
}

}  // namespace
}  // namespace tressel
