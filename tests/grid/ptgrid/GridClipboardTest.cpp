#include <gtest/gtest.h>

#include <vector>

#include "grid/ptgrid/GridClipboard.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Messages.h"

namespace {

// Row numbers in column 0; a text column 1, a check column 2, a read-only
// column 3 and a hidden column 4; a head row and three data rows.
struct ClipGrid {
    TTavikPTGrid g{nullptr};
    std::vector<unsigned> messages;
    ClipGrid()
    {
        g.SetColCount(5);
        g.SetRowCount(4);
        g.SetColWidths(4, 0);
        const char* rows[][4] = {
            {"名称", "启用", "只读", "隐"},
            {"a\tb", "T", "ro1", "h1"},
            {"x<y&z>", "F", "行", "h2"},
            {"两\n行", "", "\"q\"", "h3"},
        };
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                g.Cell(c + 1, r)->SetValue(QString::fromUtf8(rows[r][c]));
                if (r > 0 && c == 1)
                    g.Cell(c + 1, r)->SetDataType(cdtBoolean);
            }
        g.OnQueryReadOnly = TGridQueryCellEvent([](TObject*, int col, int, bool& ro) { ro = ro || col == 3; });
        g.OnQueryEditHide = TGridQueryEditHideEvent(
            [](TObject*, int, int, const QString& text, bool& accept) { accept = text != QStringLiteral("bad"); });
        g.OnGridMessage = TGridMessageEvent(
            [this](TObject*, TMessage& m) { messages.push_back(m.Msg); });
    }
    std::string Col(int col)
    {
        std::string out;
        for (int r = 1; r < g.RowCount(); ++r)
            out += (r > 1 ? "|" : "") + g.GetCellValue(col, r).toStdString();
        return out;
    }
};

} // namespace

TEST(GridClipboard, CopyGivesTabSeparatedTextAndAnEscapedHtmlTable)
{
    const struct {
        TGridRect range;
        const char* tsv;
        const char* html;
    } cases[] = {
        {{1, 1, 1, 1}, "\"a\tb\"\r\n", "<table><tr><td>a\tb</td></tr></table>"},
        {{1, 2, 3, 2}, "x<y&z>\t否\t行\r\n", "<table><tr><td>x&lt;y&amp;z&gt;</td><td>否</td><td>行</td></tr></table>"},
        // The hidden column is left out; an undetermined check is empty.
        {{1, 3, 4, 3}, "\"两\n行\"\t\t\"\"\"q\"\"\"\r\n",
         "<table><tr><td>两<br>行</td><td></td><td>&quot;q&quot;</td></tr></table>"},
        {{2, 1, 2, 2}, "是\r\n否\r\n", "<table><tr><td>是</td></tr><tr><td>否</td></tr></table>"},
    };
    for (const auto& c : cases) {
        ClipGrid t;
        t.g.Selections().SetRange(c.range, true);
        const TGridClipboardText text = TGridClipboard(t.g).Copy();
        EXPECT_EQ(text.Tsv.toStdString(), c.tsv) << c.tsv;
        EXPECT_EQ(text.Html.toStdString(), c.html) << c.tsv;
    }
}

TEST(GridClipboard, CopyOfSeveralRangesLeavesCellsBetweenThemEmpty)
{
    ClipGrid t;
    t.g.Selections().SetRange({1, 1, 1, 1}, true);
    t.g.Selections().SetRange({3, 2, 3, 2}, false);
    EXPECT_EQ(TGridClipboard(t.g).Copy().Tsv.toStdString(), "\"a\tb\"\t\t\r\n\t\t行\r\n");
}

TEST(GridClipboard, TsvFieldsComeBackAsTheyWere)
{
    const std::vector<QStringList> rows{
        {QStringLiteral("plain"), QStringLiteral("tab\there"), QStringLiteral("line\r\nbreak")},
        {QStringLiteral("\"quoted\""), QString(), QStringLiteral("中文 <&>")},
    };
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& f : row)
            fields << TGridClipboard::TsvField(f);
        text += fields.join(u'\t') + QStringLiteral("\r\n");
    }
    EXPECT_EQ(TGridClipboard::ParseTsv(text), rows);

    const struct {
        const char* text;
        std::vector<QStringList> rows;
    } cases[] = {
        {"", {}},
        {"x", {{"x"}}},
        {"a\tb\n", {{"a", "b"}}},
        {"a\t\r\n\r\nb", {{"a", ""}, {""}, {"b"}}},
        {"say \"hi\"\tz", {{"say \"hi\"", "z"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TGridClipboard::ParseTsv(QString::fromUtf8(c.text)), c.rows) << c.text;
}

TEST(GridClipboard, CheckCellsTakeYesAndNoInTheUsualSpellings)
{
    const struct {
        const char* text;
        const char* value;
    } cases[] = {{"是", "T"}, {"否", "F"}, {"T", "T"}, {"false", "F"}, {"1", "T"}, {"0", "F"},
                 {" yes ", "T"}, {"", "F"}, {"maybe", ""}, {"2", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(TGridClipboard::CheckValue(QString::fromUtf8(c.text)).toStdString(), c.value) << c.text;
}

TEST(GridClipboard, PasteWritesEditableCellsAndCountsWhatItLeftOut)
{
    const struct {
        const char* name;
        TGridRect target;
        const char* text;
        int written, readOnly, refused, rowsBeyond, colsBeyond;
        const char* col1;
        const char* col2;
        const char* col3;
    } cases[] = {
        {"text cells", {1, 1, 1, 1}, "n1\r\nn2\r\n", 2, 0, 0, 0, 0, "n1|n2|两\n行", "T|F|", "ro1|行|\"q\""},
        {"check cells", {2, 1, 2, 1}, "否\n是\nmaybe", 2, 0, 1, 0, 0, "a\tb|x<y&z>|两\n行", "F|T|", "ro1|行|\"q\""},
        {"read-only and hidden columns", {2, 1, 2, 1}, "T\tRO\tX", 1, 1, 0, 0, 1, "a\tb|x<y&z>|两\n行", "T|F|",
         "ro1|行|\"q\""},
        {"past the last row", {1, 3, 1, 3}, "a\nb\nc", 1, 0, 0, 2, 0, "a\tb|x<y&z>|a", "T|F|", "ro1|行|\"q\""},
        {"the edit check refuses", {1, 1, 1, 1}, "ok\nbad", 1, 0, 1, 0, 0, "ok|x<y&z>|两\n行", "T|F|", "ro1|行|\"q\""},
        {"one value fills the selection", {1, 1, 3, 2}, "z", 2, 2, 2, 0, 0, "z|z|两\n行", "T|F|", "ro1|行|\"q\""},
        {"quoted fields keep tabs and breaks", {1, 2, 1, 2}, "\"p\tq\r\nr\"", 1, 0, 0, 0, 0, "a\tb|p\tq\r\nr|两\n行",
         "T|F|", "ro1|行|\"q\""},
    };
    for (const auto& c : cases) {
        ClipGrid t;
        t.g.Selections().SetRange(c.target, true);
        const TGridPasteResult r = TGridClipboard(t.g).Paste(QString::fromUtf8(c.text));
        EXPECT_EQ(r.Written, c.written) << c.name;
        EXPECT_EQ(r.ReadOnly, c.readOnly) << c.name;
        EXPECT_EQ(r.Refused, c.refused) << c.name;
        EXPECT_EQ(r.RowsBeyondEnd, c.rowsBeyond) << c.name;
        EXPECT_EQ(r.ColsBeyondEnd, c.colsBeyond) << c.name;
        EXPECT_EQ(t.Col(1), c.col1) << c.name;
        EXPECT_EQ(t.Col(2), c.col2) << c.name;
        EXPECT_EQ(t.Col(3), c.col3) << c.name;
        EXPECT_EQ(r.Summary().isEmpty(), c.readOnly + c.refused + c.rowsBeyond + c.colsBeyond == 0) << c.name;
    }
}

TEST(GridClipboard, AGridThatCannotBeEditedTakesNothing)
{
    ClipGrid t;
    t.g.SetReadOnly(true);
    EXPECT_FALSE(TGridClipboard(t.g).AcceptsPaste());
    ClipGrid view;
    view.g.OnQueryEditorMode = TGridQueryEditorModeEvent([](TObject*, int, int, bool& can, QChar) { can = false; });
    EXPECT_FALSE(TGridClipboard(view.g).AcceptsPaste());
    EXPECT_EQ(TGridClipboard(view.g).Paste(QStringLiteral("x")).ReadOnly, 1);
    ClipGrid editable;
    EXPECT_TRUE(TGridClipboard(editable.g).AcceptsPaste());
}

TEST(GridClipboard, CopyAndPasteKeysBecomeTheGridsEditMessages)
{
    const struct {
        Word key;
        TShiftState shift;
        unsigned message;
    } cases[] = {{'C', ssCtrl, WM_COPY},   {VK_INSERT, ssCtrl, WM_COPY}, {'V', ssCtrl, WM_PASTE},
                 {VK_INSERT, ssShift, WM_PASTE}, {'X', ssCtrl, 0},     {'C', ssCtrl | ssShift, 0},
                 {'C', 0, 0}};
    for (const auto& c : cases) {
        ClipGrid t;
        Word key = c.key;
        t.g.KeyDown(key, c.shift);
        const std::vector<unsigned> expected = c.message ? std::vector<unsigned>{c.message} : std::vector<unsigned>{};
        EXPECT_EQ(t.messages, expected) << c.key << " " << int(c.shift);
        // The grid itself leaves its cells alone: only a handler copies or pastes.
        EXPECT_EQ(t.Col(1), "a\tb|x<y&z>|两\n行");
    }
}
