// One test skips; with OV_ALSO_FAIL set another fails.  The program's exit
// status must say "skipped" to CTest in the first case alone.
#include <gtest/gtest.h>

#include <stdlib.h>

TEST(SkipStatus, Skips) { GTEST_SKIP() << "as it should"; }

TEST(SkipStatus, FailsWhenAsked) {
    if (getenv("OV_ALSO_FAIL") != nullptr) FAIL() << "as asked";
}
