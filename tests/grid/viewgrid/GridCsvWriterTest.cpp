#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "grid/viewgrid/GridCsvWriter.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "support/Errors.h"

namespace {

// Row numbers in column 0, names in the tree column 1, a check column 2 and
// the hidden level column 3.
struct TreeGrid {
    TTavikPTGrid g{nullptr};
    TreeGrid()
    {
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetOptions(g.Options() | GridOption(goShowRowNo));
        g.SetIsTree(true);
        g.SetLevelCol(3);
        const char* rows[][3] = {
            {"名称", "启用", ""},      {"材料管理", "T", "0"}, {"材料计划", "FALSE", "1"},
            {"采购, \"急\"", "x", "2"}, {"=SUM(A1)", "true", "1"}, {"-12.5", "f", "0"},
        };
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 3; ++c)
                g.Cell(c + 1, r)->SetValue(QString::fromUtf8(rows[r][c]));
            if (r > 0)
                g.Cell(2, r)->SetDataType(cdtBoolean);
        }
    }
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

TEST(GridCsvWriter, LinesHoldTheShownTextsIndentedChecksAndQuoted)
{
    TreeGrid t;
    TGridCsvWriter csv(t.g);
    EXPECT_EQ(csv.Columns(), (std::vector<int>{0, 1, 2}));
    const char* expected[] = {
        ",名称,启用\r\n",
        "1,材料管理,是\r\n",
        "2,  材料计划,否\r\n",
        "3,\"    采购, \"\"急\"\"\",\r\n",
        "4,  '=SUM(A1),是\r\n",
        "5,-12.5,否\r\n",
    };
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(csv.Line(r).toStdString(), expected[r]) << "row " << r;
}

TEST(GridCsvWriter, FieldsAreQuotedAndFormulasDisarmedOnlyWhereNeeded)
{
    struct Case {
        const char* field;
        const char* quoted;
    } quoting[] = {
        {"", ""},           {"plain 文本", "plain 文本"}, {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""}, {"cr\r", "\"cr\r\""},
    };
    for (const Case& c : quoting)
        EXPECT_EQ(TGridCsvWriter::Quoted(QString::fromUtf8(c.field)).toStdString(), c.quoted);

    TTavikPTGrid g(nullptr);
    g.SetColCount(2);
    g.SetRowCount(2);
    TGridCsvWriter csv(g);
    struct Value {
        const char* value;
        const char* field;
    } values[] = {
        {"=1+2", "'=1+2"}, {"+cmd", "'+cmd"}, {"@SUM(1)", "'@SUM(1)"}, {"-x", "'-x"}, {"\tx", "'\tx"},
        {"-5", "-5"},      {"+3.5e2", "+3.5e2"}, {"a=b", "a=b"},       {"'quoted", "'quoted"},
    };
    for (const Value& v : values) {
        g.Cell(1, 1)->SetValue(QString::fromUtf8(v.value));
        EXPECT_EQ(csv.CellText(1, 1).toStdString(), v.field) << v.value;
    }
}

TEST(GridCsvWriter, SaveWritesTheMarkedFileOrNothing)
{
    TreeGrid t;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.csv"));
    TGridCsvWriter csv(t.g);
    ASSERT_TRUE(csv.Save(path));
    QByteArray expected("\xEF\xBB\xBF");
    for (int r = 0; r < t.g.RowCount(); ++r)
        expected += csv.Line(r);
    EXPECT_EQ(ReadAll(path), expected);

    // A cancelled export keeps the file that was there and leaves no other.
    t.g.Cell(1, 1)->SetValue(QStringLiteral("changed"));
    EXPECT_FALSE(csv.Save(path, [](int64_t done, int64_t total) { return done < total; }));
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("grid.csv")});

    EXPECT_NE(ErrorOf<EFileError>([&] { csv.Save(dir.filePath(QStringLiteral("none/grid.csv"))); })
                  .find("cannot write"),
              std::string::npos);
}
