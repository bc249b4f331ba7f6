// Inputs pass to a program in front that synthesised input cannot reach, and are remapped again
// once it leaves; the hook libraries hear of changes only.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/CallLog.h"
#include "fakes/FakeHookLibraries.h"
#include "foreground/ForegroundPassThrough.h"

namespace tressel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace tressel::testing;

TEST(ForegroundPassThroughTest, AnUnreachableProgramInFrontLetsEveryInputPassUntilItLeaves) {
    CallLog log;
    FakeHookLibraries hooks(log);
    ForegroundPassThrough passThrough(hooks);
    passThrough.OnForegroundChanged({.reachable = true});
    EXPECT_THAT(log.Entries(), IsEmpty());
    passThrough.OnForegroundChanged({.reachable = false});
    passThrough.OnForegroundChanged({.reachable = false});  // another elevated window
    passThrough.OnForegroundChanged({.reachable = true});
    EXPECT_THAT(
        log.Entries(),
        ElementsAre("PassThrough(R, on)", "PassThrough(M, on)", "PassThrough(X1, on)",
                    "PassThrough(X2, on)", "PassThrough(WD, on)", "PassThrough(WU, on)",
                    "PassThrough(R, off)", "PassThrough(M, off)", "PassThrough(X1, off)",
                    "PassThrough(X2, off)", "PassThrough(WD, off)", "PassThrough(WU, off)"));
}

}  // namespace
}  // namespace tressel
