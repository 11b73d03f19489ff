// Sizing the link label to its text: which edges stay, and the halvings that
// truncate toward zero when the label is centred.
#include "about/LabelFit.h"

#include <gtest/gtest.h>

namespace {

struct FitCase
{
    const char* what;
    LabelRect in;
    long textWidth, textHeight;
    bool centerImage, center, right;
    LabelRect out;
};

TEST(LabelFit, KeepsTheAlignment)
{
    const FitCase cases[] = {
        // Left: left and top stay; width and height become the text's.
        { "left narrower", { 10, 20, 190, 32 }, 120, 12, false, false, false, { 10, 20, 130, 32 } },
        { "left wider", { 10, 20, 50, 28 }, 120, 15, false, false, false, { 10, 20, 130, 35 } },
        // Right: the right edge stays.
        { "right narrower", { 10, 20, 190, 32 }, 120, 12, false, false, true, { 70, 20, 190, 32 } },
        { "right wider", { 10, 20, 50, 32 }, 120, 12, false, false, true, { -70, 20, 50, 32 } },
        // Centred: (180 - 120) / 2 = 30 each side.
        { "centre even", { 10, 0, 190, 12 }, 120, 12, false, true, false, { 40, 0, 160, 12 } },
        // (180 - 121) / 2 = 29: one unit wider than the text.
        { "centre odd, label wider", { 10, 0, 190, 12 }, 121, 12, false, true, false, { 39, 0, 161, 12 } },
        // (40 - 121) / 2 = -40 (toward zero, not -41): one unit narrower.
        { "centre odd, text wider", { 10, 0, 50, 12 }, 121, 12, false, true, false, { -30, 0, 90, 12 } },
        { "centre even, text wider", { 10, 0, 50, 12 }, 120, 12, false, true, false, { -30, 0, 90, 12 } },
        // Both bits set: the centre bit wins.
        { "centre and right bits", { 10, 0, 190, 12 }, 120, 12, false, true, true, { 40, 0, 160, 12 } },
        // Centre image: (30 - 13) / 2 = 8 from top and bottom; the height ends 14.
        { "centre image odd", { 0, 10, 100, 40 }, 100, 13, true, false, false, { 0, 18, 100, 32 } },
        { "centre image even", { 0, 10, 100, 40 }, 100, 14, true, false, false, { 0, 18, 100, 32 } },
        // (10 - 13) / 2 = -1: outwards by one each, the height ends 12.
        { "centre image taller text", { 0, 10, 100, 20 }, 100, 13, true, false, false, { 0, 9, 100, 21 } },
        { "centre image, centred", { 0, 10, 101, 20 }, 90, 15, true, true, false, { 5, 8, 96, 22 } },
        { "empty text", { 10, 20, 190, 32 }, 0, 0, false, false, false, { 10, 20, 10, 20 } },
    };
    for (const FitCase& c : cases) {
        LabelRect r = FitLabelRect(c.in, c.textWidth, c.textHeight, c.centerImage, c.center, c.right);
        EXPECT_EQ(c.out.left, r.left) << c.what;
        EXPECT_EQ(c.out.top, r.top) << c.what;
        EXPECT_EQ(c.out.right, r.right) << c.what;
        EXPECT_EQ(c.out.bottom, r.bottom) << c.what;
    }
}

} // namespace
