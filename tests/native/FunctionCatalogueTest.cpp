// Lookup by command id, the rules that tie catalogue entries to the inputs, and the caption of
// a picked program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "config/FunctionCatalogue.h"

namespace tressel {
namespace {

const FunctionEntry& Get(FunctionCommand command) {
    const FunctionEntry* entry = FindFunction(static_cast<int>(command));
    EXPECT_NE(entry, nullptr);
    return *entry;
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

TEST(FunctionCatalogueTest, EntriesAreConsistentWithTheirKind) {
    for (const FunctionEntry& f : FunctionCatalogue()) {
        if (f.captionRule == CaptionRule::Fixed) {
            EXPECT_FALSE(f.caption.empty()) << f.name;
            EXPECT_LE(f.caption.size(), 20u) << f.name;  // what an input button can show
        }
        switch (f.kind) {
            case FunctionKind::Key:
                EXPECT_TRUE(f.keyAction == SingleKey || f.keyAction == WinChord ||
                            f.keyAction == CtrlChord)
                    << f.name;
                EXPECT_NE(f.keyCode, 0) << f.name;
                break;
            case FunctionKind::FixedLaunch:
                EXPECT_EQ(f.keyAction, Launch);
                EXPECT_FALSE(f.launchTarget.empty()) << f.name;
                break;
            case FunctionKind::Script:
                EXPECT_EQ(f.keyAction, Script);
                EXPECT_TRUE(f.scriptFile.ends_with(L".txt")) << f.name;
                break;
            default:
                break;
        }
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
