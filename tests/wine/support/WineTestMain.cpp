// Entry point of the Wine test executables. They link with -municode, so the C runtime calls
// wmain, which gtest_main does not provide; the static library hands this one out to every test
// that has no entry point of its own.

#include <gmock/gmock.h>

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
