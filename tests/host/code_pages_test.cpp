// The flags of the launcher's exact conversions, for the pages a system may
// use as its own.
#include <gtest/gtest.h>

#include "launcher/rules/CodePages.h"

TEST(NoBestFitFlags, RefusesBestFitWhereThePageTakesTheFlag) {
    const struct {
        unsigned int codePage;
        unsigned long flags;
    } cases[] = {{1252, 0x400}, {932, 0x400}, {936, 0x400}, {850, 0x400}, {65001, 0}, {54936, 0}, {50220, 0}, {57004, 0}};
    for (const auto& c : cases) EXPECT_EQ(c.flags, NoBestFitFlags(c.codePage)) << c.codePage;
}
