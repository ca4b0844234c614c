// Captions' accelerator marks: what is shown, what is underlined and which key
// the caption answers to must agree.

#include <gtest/gtest.h>

#include "platform/canvas/text/AcceleratorText.h"

TEST(AcceleratorText, ShownTextUnderlinesAndKeyAgree)
{
    struct Case {
        const char* caption;
        const char* shown;
        std::vector<int> underlined;
        char16_t key;
    } cases[] = {
        {"&File", "File", {0}, u'F'},        {"Save &As", "Save As", {5}, u'A'},
        {"a&&b", "a&b", {}, 0},              {"a&&&b", "a&b", {2}, u'b'},
        {"trailing&", "trailing", {}, 0},    {"&&", "&", {}, 0},
        {"&x&y", "xy", {0, 1}, u'x'},        {"", "", {}, 0},
        {"&部门", "部门", {0}, u'部'},
    };
    for (const Case& c : cases) {
        const TPrefixedText parsed = ParsePrefixedText(QString::fromUtf8(c.caption));
        EXPECT_EQ(parsed.text, QString::fromUtf8(c.shown)) << c.caption;
        EXPECT_EQ(parsed.underlined, c.underlined) << c.caption;
        EXPECT_EQ(AcceleratorOf(QString::fromUtf8(c.caption)), QChar(c.key)) << c.caption;
    }
}
