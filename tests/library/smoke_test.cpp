#include <gtest/gtest.h>

#include "korvane.h"

TEST(Smoke, LinksAgainstTheExports) { EXPECT_NE(&setteifincls, nullptr); }
