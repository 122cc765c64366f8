#include "numeric/app_error.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

TEST(ApplicationErrorBoxText, AppendsAFullStopAfterACharacterSortingAfterIt)
{
    EXPECT_EQ(ApplicationErrorBoxText("Floating point overflow"), "Floating point overflow.");
    EXPECT_EQ(ApplicationErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ApplicationErrorBoxText("Why?"), "Why?.");
    EXPECT_EQ(ApplicationErrorBoxText("100%"), "100%");
    EXPECT_EQ(ApplicationErrorBoxText("a-"), "a-");
    EXPECT_EQ(ApplicationErrorBoxText("a/"), "a/.");
    EXPECT_EQ(ApplicationErrorBoxText(""), "");
}

TEST(ApplicationErrorBoxText, GivesTheFailureTexts)
{
    EXPECT_EQ(ApplicationErrorBoxText(ConversionFailure("").Message()), "'' is not a valid floating point value.");
    EXPECT_EQ(ApplicationErrorBoxText(ConversionFailure(" 1,5 ").Message()),
              "' 1,5 ' is not a valid floating point value.");
    EXPECT_EQ(ApplicationErrorBoxText(FloatingPointFault(FloatingPointFaultKind::InvalidOperation).Message()),
              "Invalid floating point operation.");
    EXPECT_EQ(ApplicationErrorBoxText(FloatingPointFault(FloatingPointFaultKind::DivisionByZero).Message()),
              "Floating point division by zero.");
    EXPECT_EQ(ApplicationErrorBoxText(FloatingPointFault(FloatingPointFaultKind::Overflow).Message()),
              "Floating point overflow.");
}

} // namespace
} // namespace zandrevio
