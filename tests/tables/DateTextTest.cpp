// The text form of dates: the short format both ways, with the two-digit year window.
#include "DateText.h"

#include <gtest/gtest.h>

using tables::dateFromText;

struct DateCase {
    const char *text;
    int year, month, day; // year 0: not a date
};

class DateText : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateText, ReadsAsInTheYear2026)
{
    const DateCase c = GetParam();
    const auto d = dateFromText(QString::fromUtf8(c.text), 2026);
    if (c.year == 0) {
        EXPECT_FALSE(d.has_value()) << c.text;
    } else {
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(*d, QDate(c.year, c.month, c.day)) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DateText, ::testing::Values(
    DateCase{"05/03/99", 1999, 3, 5}, DateCase{"01/01/00", 2000, 1, 1}, DateCase{"31/12/46", 2046, 12, 31},
    DateCase{"01/01/47", 1947, 1, 1}, DateCase{" 5/ 3/99", 1999, 3, 5}, DateCase{"29/02/00", 2000, 2, 29},
    DateCase{"31/02/99", 0, 0, 0}, DateCase{"29/02/99", 0, 0, 0}, DateCase{"", 0, 0, 0},
    DateCase{"ab/cd/ef", 0, 0, 0}, DateCase{"1/1/", 0, 0, 0}, DateCase{"  /  /  ", 0, 0, 0},
    DateCase{"01/13/99", 0, 0, 0}, DateCase{"00/01/99", 0, 0, 0}, DateCase{"01/01/1999", 0, 0, 0},
    DateCase{"1/1/9", 0, 0, 0}, DateCase{"01-01-99", 0, 0, 0}));

TEST(DateTextOut, ShowsDayMonthTwoDigitYear)
{
    EXPECT_EQ(tables::dateToText(QDate(1999, 3, 5)), "05/03/99");
    EXPECT_EQ(tables::dateToText(QDate()), "");
    EXPECT_TRUE(tables::isBlankDateText("  /  /  "));
    EXPECT_FALSE(tables::isBlankDateText(" 1/  /  "));
}
