#include <gtest/gtest.h>

#include "platform/controls/edit/EditMask.h"
#include "platform/controls/edit/MaskEdit.h"

namespace {

TEST(EditMask, ParsesFieldsOrFallsBackToPlainText)
{
    struct Case {
        const char* mask;
        bool active;
        bool valid;
        int length;
        bool save;
        char blank;
    };
    const Case cases[] = {
        {"", false, true, 0, true, '_'},         {"000-0000;1;_", true, true, 8, true, '_'},
        {"!99/99/0000;0; ", true, true, 10, false, ' '}, {">LL\\-00", true, true, 5, true, '_'},
        {"00;2;_", false, false, 0, true, '_'},  {"00;1;ab", false, false, 0, true, '_'},
        {"00\\", false, false, 0, true, '_'},    {"0;1;_;x", false, false, 0, true, '_'},
        {"<>", false, false, 0, true, '_'},
    };
    for (const Case& c : cases) {
        const TEditMask m{QString::fromLatin1(c.mask)};
        EXPECT_EQ(m.IsActive(), c.active) << c.mask;
        EXPECT_EQ(m.IsValid(), c.valid) << c.mask;
        EXPECT_EQ(m.Length(), c.length) << c.mask;
        EXPECT_EQ(m.SaveLiterals(), c.save) << c.mask;
        EXPECT_EQ(m.BlankChar(), QLatin1Char(c.blank)) << c.mask;
    }
}

TEST(EditMask, FormatsValuesAndReadsThemBack)
{
    struct Case {
        const char* mask;
        const char* value;
        const char* edit;
        const char* back;
    };
    const Case cases[] = {
        {"000-0000;1;_", "555-1234", "555-1234", "555-1234"},
        {"000-0000;0;_", "5551234", "555-1234", "5551234"},
        {"000-0000;1;_", "55", "55_-____", "55 -"},
        {"000-0000;0;_", "123456789", "123-4567", "1234567"}, // longer than the mask: cut
        {"000;1;_", "1a3", "1_3", "1 3"},                     // a refused character stays blank
        {">LLL;1;_", "abc", "ABC", "ABC"},
        {"xyz", "q", "xyz", "xyz"},                           // literals only
    };
    for (const Case& c : cases) {
        const TEditMask m{QString::fromLatin1(c.mask)};
        const QString edit = m.Format(QString::fromLatin1(c.value));
        EXPECT_EQ(edit, QString::fromLatin1(c.edit)) << c.mask << " " << c.value;
        EXPECT_EQ(m.Value(edit), QString::fromLatin1(c.back)) << c.mask << " " << c.value;
    }
}

TEST(EditMask, TypingStepsOverLiteralsAndRefusesWrongCharacters)
{
    const TEditMask m{QStringLiteral("00/00;1;_")};
    QString t = m.Format({});
    EXPECT_EQ(m.Type(t, 0, QLatin1Char('1')), 1);
    EXPECT_EQ(m.Type(t, 1, QLatin1Char('2')), 3);
    EXPECT_EQ(m.Type(t, 2, QLatin1Char('3')), 4); // the slash is stepped over
    EXPECT_EQ(m.Type(t, 4, QLatin1Char('x')), -1);
    EXPECT_EQ(t, QStringLiteral("12/3_"));
    EXPECT_FALSE(m.IsComplete(t));
    EXPECT_EQ(m.Type(t, 4, QLatin1Char('4')), 5);
    EXPECT_EQ(m.Type(t, 5, QLatin1Char('5')), -1);
    EXPECT_TRUE(m.IsComplete(t));
    m.Clear(t, 0, 2);
    EXPECT_EQ(t, QStringLiteral("__/34"));
    EXPECT_EQ(m.EditableBefore(2), 1);
}

TEST(MaskEdit, KeysFollowTheMask)
{
    TCustomMaskEdit edit(nullptr);
    edit.Widget();
    edit.SetEditMask(QStringLiteral("00-00;0;_"));
    EXPECT_EQ(edit.Text(), QStringLiteral("__-__"));
    edit.SetSel(0, 0);
    for (QChar ch : QStringLiteral("12a34"))
        edit.SendChar(ch);
    EXPECT_EQ(edit.Text(), QStringLiteral("12-34"));
    EXPECT_EQ(edit.EditValue(), QStringLiteral("1234"));
    edit.SendKey(VK_BACK);
    EXPECT_EQ(edit.Text(), QStringLiteral("12-3_"));
    edit.SetSel(0, 0);
    edit.SendKey(VK_DELETE);
    EXPECT_EQ(edit.Text(), QStringLiteral("_2-3_"));
    // Dropping the mask keeps the value (literals were not saved).
    edit.SetEditMask(QString());
    EXPECT_EQ(edit.Text(), QStringLiteral(" 23"));
}

TEST(MaskEdit, PlainTextHonoursTheLengthLimitAndLineBreaks)
{
    TCustomMaskEdit edit(nullptr);
    edit.Widget();
    edit.SetMaxLength(3);
    for (QChar ch : QStringLiteral("abcd"))
        edit.SendChar(ch);
    EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
    edit.SetMaxLength(0);
    edit.SetSel(1, 1);
    edit.SetSelText(QStringLiteral("\r\n"));
    EXPECT_EQ(edit.Text(), QStringLiteral("a\r\nc"));
    EXPECT_EQ(edit.TextLength(), 3);
}

} // namespace
