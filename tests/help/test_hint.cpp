#include "help/hint.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace accrua::help;

namespace {

struct BoxCase {
    const char *name;
    int textWidth;
    int wrappedLines;
    QPoint cursor;
    QRect form;
    QRect expected; // relative to the form
};

std::ostream &operator<<(std::ostream &os, const BoxCase &c)
{
    return os << c.name;
}

// A dialog of 640 x 480 at (100, 50) on the screen.
const QRect kForm(100, 50, 640, 480);

class HintBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(HintBoxTest, SizesAndPlacesTheBoxInsideTheForm)
{
    const BoxCase &c = GetParam();
    EXPECT_EQ(hintBoxGeometry(c.textWidth, c.wrappedLines, c.cursor, c.form), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Popup, HintBoxTest,
    ::testing::Values(
        BoxCase{"FewLetters", 24, 1, QPoint(200, 100), kForm, QRect(100, 50, 200, 23)},
        BoxCase{"JustUnderTheMinimum", 189, 1, QPoint(200, 100), kForm, QRect(100, 50, 200, 23)},
        BoxCase{"JustOverTheMinimum", 191, 1, QPoint(200, 100), kForm, QRect(100, 50, 201, 23)},
        BoxCase{"Exactly300OnOneLine", 300, 1, QPoint(200, 100), kForm, QRect(100, 50, 310, 23)},
        BoxCase{"301WrapsIntoTwoLines", 301, 2, QPoint(200, 100), kForm, QRect(100, 50, 300, 36)},
        BoxCase{"LongTextFourLines", 1100, 4, QPoint(200, 100), kForm, QRect(100, 50, 300, 60)},
        BoxCase{"NearTheRightEdge", 24, 1, QPoint(730, 100), kForm, QRect(440, 50, 200, 23)},
        BoxCase{"NearTheBottomEdge", 24, 1, QPoint(200, 520), kForm, QRect(100, 457, 200, 23)},
        BoxCase{"NearTheBottomRightCorner", 800, 5, QPoint(739, 529), kForm, QRect(340, 408, 300, 72)},
        BoxCase{"BoxWiderThanTheForm", 300, 1, QPoint(150, 60), QRect(100, 50, 250, 120),
                QRect(-60, 10, 310, 23)},
        BoxCase{"PointerLeftOfTheForm", 24, 1, QPoint(90, 60), kForm, QRect(-10, 10, 200, 23)}),
    [](const ::testing::TestParamInfo<BoxCase> &paramInfo) { return std::string(paramInfo.param.name); });

} // namespace
