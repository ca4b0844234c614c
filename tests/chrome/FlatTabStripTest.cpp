#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chrome/pagecontrol/FlatTabStrip.h"
#include "platform/canvas/text/Font.h"

namespace {

// The tabs' texts in order, the selected one in brackets.
std::string Show(const TFlatTabStrip& strip)
{
    std::string s;
    for (int i = 0; i < strip.Count(); ++i) {
        const std::string t = strip.Text(i).toStdString();
        s += (i ? " " : "") + (i == strip.Selected() ? "[" + t + "]" : t);
    }
    return s;
}

TFlatTabStrip StripOf(const std::vector<const char*>& texts, int selected)
{
    TFlatTabStrip strip;
    for (const char* t : texts)
        strip.Insert(strip.Count(), nullptr, QString::fromLatin1(t));
    strip.Select(selected);
    return strip;
}

} // namespace

TEST(FlatTabStrip, TheSelectionFollowsItsTabThroughInsertsRemovalsAndMoves)
{
    struct Case {
        const char* what;
        std::vector<const char*> texts;
        int selected;
        std::function<void(TFlatTabStrip&)> change;
        const char* expected;
    } cases[] = {
        {"the first tab of an empty strip", {}, -1, [](auto& s) { s.Insert(0, nullptr, "A"); }, "[A]"},
        {"a second tab is not selected", {"A"}, -1, [](auto& s) { s.Insert(1, nullptr, "B"); }, "A B"},
        {"insert before the selection", {"A"}, 0, [](auto& s) { s.Insert(0, nullptr, "B"); }, "B [A]"},
        {"insert after the selection", {"A"}, 0, [](auto& s) { s.Insert(1, nullptr, "B"); }, "[A] B"},
        {"removed: the next takes its place", {"A", "B", "C"}, 1, [](auto& s) { s.Remove(1); }, "A [C]"},
        {"removed last: the new last", {"A", "B", "C"}, 2, [](auto& s) { s.Remove(2); }, "A [B]"},
        {"removed before the selection", {"A", "B", "C"}, 1, [](auto& s) { s.Remove(0); }, "[B] C"},
        {"removed the only tab", {"A"}, 0, [](auto& s) { s.Remove(0); }, ""},
        {"removed out of range", {"A", "B"}, 1, [](auto& s) { s.Remove(2); }, "A [B]"},
        {"selected out of range", {"A", "B"}, 1, [](auto& s) { s.Select(2); }, "A B"},
        {"moved the selected tab", {"A", "B", "C"}, 0, [](auto& s) { s.Move(0, 2); }, "B C [A]"},
        {"moved forward over it", {"A", "B", "C"}, 1, [](auto& s) { s.Move(0, 2); }, "[B] C A"},
        {"moved back over it", {"A", "B", "C"}, 1, [](auto& s) { s.Move(2, 0); }, "C A [B]"},
        {"moved beside it", {"A", "B", "C"}, 0, [](auto& s) { s.Move(1, 2); }, "[A] C B"},
        {"moved out of range", {"A", "B"}, 0, [](auto& s) { s.Move(0, 2); }, "[A] B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFlatTabStrip strip = StripOf(c.texts, c.selected);
        c.change(strip);
        EXPECT_EQ(Show(strip), c.expected);
        EXPECT_EQ(strip.Sheet(strip.Count()), nullptr);
        EXPECT_EQ(strip.Text(-1), QString());
    }
}

TEST(FlatTabStrip, SpacerFromImagesAndMarginsAndTheirChanges)
{
    TTabMargin margin;
    margin.SetLeftMargin(3);
    margin.SetTopMargin(5);
    margin.SetRightMargin(2);
    TFlatTabStrip strip;
    EXPECT_EQ(strip.SpacerWidth(), 1);
    EXPECT_EQ(strip.SpacerHeight(), 1);

    // Along a horizontal strip the image width and the left and right margins.
    strip.ComputeSpacer(16, 12, margin, TTabPosition::tpBottom);
    EXPECT_EQ(strip.SpacerWidth(), 21);
    EXPECT_EQ(strip.SpacerHeight(), 12);
    strip.MarginChanged(7, 2, TTabMargin::mRight, TTabPosition::tpBottom);
    strip.MarginChanged(9, 5, TTabMargin::mTop, TTabPosition::tpBottom);  // not along the strip
    EXPECT_EQ(strip.SpacerWidth(), 26);
    EXPECT_EQ(strip.SpacerHeight(), 12);

    // Along a vertical one the image height and the top and right margins.
    strip.ComputeSpacer(16, 12, margin, TTabPosition::tpLeft);
    EXPECT_EQ(strip.SpacerWidth(), 16);
    EXPECT_EQ(strip.SpacerHeight(), 19);
    strip.MarginChanged(0, 3, TTabMargin::mLeft, TTabPosition::tpLeft);
    strip.MarginChanged(0, 5, TTabMargin::mTop, TTabPosition::tpLeft);
    EXPECT_EQ(strip.SpacerHeight(), 14);
    strip.MarginChanged(0, 100, TTabMargin::mRight, TTabPosition::tpLeft);  // never below nothing
    EXPECT_EQ(strip.SpacerHeight(), 0);

    // Without images a horizontal strip's tabs keep a picture one pixel high.
    strip.ComputeSpacer(0, 0, TTabMargin(), TTabPosition::tpTop);
    EXPECT_EQ(strip.SpacerWidth(), 0);
    EXPECT_EQ(strip.SpacerHeight(), 1);
}

TEST(FlatTabStrip, CalculateTellsWhetherThePagesMoved)
{
    TFont font;
    TFlatTabStrip strip = StripOf({"One", "Two"}, 0);
    TFlatTabLayout::Input in;
    in.width = 300;
    in.height = 200;
    EXPECT_TRUE(strip.Calculate(font, in));
    const int oneRow = strip.Layout().TabRect(1).Width();
    EXPECT_FALSE(strip.Calculate(font, in));
    strip.SetText(1, QStringLiteral("Two and a much longer text"));
    EXPECT_FALSE(strip.Calculate(font, in));  // the tab widens, the pages stay
    EXPECT_GT(strip.Layout().TabRect(1).Width(), oneRow);
    in.tabHeight = 40;
    EXPECT_TRUE(strip.Calculate(font, in));
    EXPECT_EQ(strip.Layout().TabRect(0).Height(), 40);
}
