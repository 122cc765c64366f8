#include "shell/application_title.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

TEST(ApplicationTitle, IsTheProgramNameWithLaterLettersInLowerCase)
{
    EXPECT_EQ(ApplicationTitleFromPath("/usr/bin/zandrevio"), "zandrevio");
    EXPECT_EQ(ApplicationTitleFromPath("C:/Tools/ZANDREVIO.EXE"), "Zandrevio");
    EXPECT_EQ(ApplicationTitleFromPath("/opt/zr/ZandRevio.bin"), "Zandrevio");
    EXPECT_EQ(ApplicationTitleFromPath("/home/a.b/Calc"), "Calc");
    EXPECT_EQ(ApplicationTitleFromPath(".hidden"), ".hidden");
}

} // namespace
} // namespace zandrevio
