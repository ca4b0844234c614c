#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

using A = CommandLine::Action;

CommandLine Parse(std::initializer_list<const char*> words)
{
    QStringList args{QStringLiteral("orgrights")};
    for (const char* w : words)
        args << QString::fromUtf8(w);
    return ParseCommandLine(args);
}

} // namespace

TEST(CommandLine, GoodFormsGiveTheirAction)
{
    struct Case {
        std::initializer_list<const char*> args;
        A action;
        const char* cls;
        const char* out;
    } cases[] = {
        {{}, A::Launcher, "", ""},
        {{"--help"}, A::Help, "", ""},
        {{"-h"}, A::Help, "", ""},
        {{"--list"}, A::List, "", ""},
        {{"--gallery"}, A::Gallery, "", ""},
        {{"--dump", "TOrgForm"}, A::Dump, "TOrgForm", ""},
        {{"--dump", "TGalleryForm"}, A::Dump, "TGalleryForm", ""},
        {{"--render", "all", "--out", "pics"}, A::Render, "all", "pics"},
        {{"--out", "pics", "--render", "TUserForm"}, A::Render, "TUserForm", "pics"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = Parse(c.args);
        EXPECT_EQ(cl.action, c.action) << cl.error.toStdString();
        EXPECT_EQ(cl.className, QString::fromUtf8(c.cls));
        EXPECT_EQ(cl.outDir, QString::fromUtf8(c.out));
    }
    EXPECT_FALSE(IsHeadless(Parse({})));
    EXPECT_FALSE(IsHeadless(Parse({"--gallery"})));
    EXPECT_TRUE(IsHeadless(Parse({"--render", "all", "--out", "x"})));
}

TEST(CommandLine, WrongFormsSayWhatIsWrong)
{
    struct Case {
        std::initializer_list<const char*> args;
        const char* error;
    } cases[] = {
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--list", "extra"}, "unexpected argument extra"},
        {{"stray"}, "unexpected argument stray"},
        {{"--dump"}, "--dump needs a screen class"},
        {{"--dump", "--list"}, "--dump needs a screen class"},
        {{"--dump", "-h"}, "--dump needs a screen class"},
        {{"--render", "all", "--out", "-h"}, "--out needs a folder"},
        {{"--render", "all"}, "--render needs --out DIR"},
        {{"--render", "all", "--out", ""}, "--out needs a folder"},
        {{"--render", "all", "--out"}, "--out needs a folder"},
        {{"--render", "all", "--out", "a", "--out", "b"}, "--out is given twice"},
        {{"--list", "--out", "a"}, "--out goes with --render"},
        {{"--list", "--gallery"}, "--gallery cannot be combined with another command"},
        {{"--dump", "TOrgForm", "TUserForm"}, "unexpected argument TUserForm"},
        {{"--help", "--help"}, "--help goes alone"},
    };
    for (const Case& c : cases) {
        const CommandLine cl = Parse(c.args);
        EXPECT_EQ(cl.action, A::Error);
        EXPECT_EQ(cl.error.toStdString(), c.error);
    }
}

TEST(CommandLine, StoreFormsNameTheStoreAndTheFile)
{
    struct Case {
        std::initializer_list<const char*> args;
        A action;
        const char* store;
        const char* file;
        bool sample, secrets, usesStore;
    } cases[] = {
        {{}, A::Launcher, "", "", false, false, true},
        {{"--sample"}, A::Launcher, "", "", true, false, false},
        {{"--store", "a.db"}, A::Launcher, "a.db", "", false, false, true},
        {{"--store-info"}, A::StoreInfo, "", "", false, false, true},
        {{"--store", "postgresql://u:p@h/d", "--store-info"}, A::StoreInfo, "postgresql://u:p@h/d", "", false, false, true},
        {{"--export", "x.json", "--with-secrets", "--store", "a.db"}, A::Export, "a.db", "x.json", false, true, true},
        {{"--import", "x.json", "--store", "a.db"}, A::Import, "a.db", "x.json", false, false, true},
        {{"--render", "all", "--out", "d", "--sample"}, A::Render, "", "", true, false, false},
        {{"--render", "all", "--out", "d"}, A::Render, "", "", false, false, false},
        {{"--dump", "TUserForm", "--store", "a.db"}, A::Dump, "a.db", "", false, false, true},
        {{"--export-grid", "TUserForm.G", "u.csv"}, A::ExportGrid, "", "u.csv", false, false, true},
        {{"--export-chart", "c.svg", "--sample"}, A::ExportChart, "", "c.svg", true, false, false},
    };
    for (const Case& c : cases) {
        const CommandLine cl = Parse(c.args);
        EXPECT_EQ(cl.action, c.action) << cl.error.toStdString();
        EXPECT_EQ(cl.store, QString::fromUtf8(c.store));
        EXPECT_EQ(cl.file, QString::fromUtf8(c.file));
        EXPECT_EQ(cl.sample, c.sample);
        EXPECT_EQ(cl.withSecrets, c.secrets);
        EXPECT_EQ(UsesStore(cl), c.usesStore);
    }
    EXPECT_TRUE(IsHeadless(Parse({"--store-info"})));
    EXPECT_TRUE(IsHeadless(Parse({"--import", "x.json"})));

    const struct {
        std::initializer_list<const char*> args;
        const char* error;
    } wrong[] = {
        {{"--store"}, "--store needs a path or a postgresql:// URL"},
        {{"--store", "a", "--store", "b"}, "--store is given twice"},
        {{"--export"}, "--export needs a file"},
        {{"--export", "a", "--import", "b"}, "--import cannot be combined with another command"},
        {{"--store-info", "--list"}, "--list cannot be combined with another command"},
        {{"--sample", "--store", "a"}, "--sample uses no store, so it cannot be combined with --store"},
        {{"--sample", "--store-info"}, "--sample uses no store, so it cannot be combined with a store command"},
        {{"--with-secrets", "--store-info"}, "--with-secrets goes with --export"},
        {{"--gallery", "--store", "a"}, "--store does not go with this command"},
        {{"postgresql://u:pw@h/d"}, "unexpected argument postgresql://u:***@h/d"},
        {{"--store=postgresql://u:pw@h/d"}, "unknown option --store=postgresql://u:***@h/d"},
    };
    for (const auto& c : wrong) {
        const CommandLine cl = Parse(c.args);
        EXPECT_EQ(cl.action, A::Error);
        EXPECT_EQ(cl.error.toStdString(), c.error);
    }
}

TEST(CommandLine, ExportsTakeTheirTargetFileAndScale)
{
    struct Case {
        std::initializer_list<const char*> args;
        A action;
        const char* cls;
        const char* grid;
        const char* file;
        int scale;
    } cases[] = {
        {{"--export-grid", "TUserForm.TavikPTGrid1", "u.csv"}, A::ExportGrid, "TUserForm", "TavikPTGrid1", "u.csv", 1},
        {{"--export-grid", "a.b.c", "dir/U.CSV"}, A::ExportGrid, "a", "b.c", "dir/U.CSV", 1},
        {{"--export-chart", "c.png"}, A::ExportChart, "", "", "c.png", 1},
        {{"--scale", "2", "--export-chart", "c.png"}, A::ExportChart, "", "", "c.png", 2},
        {{"--export-chart", "c.png", "--scale", "1"}, A::ExportChart, "", "", "c.png", 1},
        {{"--export-chart", "c.PDF"}, A::ExportChart, "", "", "c.PDF", 1},
        {{"--export-chart", "c.svg"}, A::ExportChart, "", "", "c.svg", 1},
    };
    for (const Case& c : cases) {
        const CommandLine cl = Parse(c.args);
        EXPECT_EQ(cl.action, c.action) << cl.error.toStdString();
        EXPECT_EQ(cl.className, QString::fromUtf8(c.cls));
        EXPECT_EQ(cl.gridName, QString::fromUtf8(c.grid));
        EXPECT_EQ(cl.file, QString::fromUtf8(c.file));
        EXPECT_EQ(cl.scale, c.scale);
        EXPECT_TRUE(IsHeadless(cl));
    }

    struct Wrong {
        std::initializer_list<const char*> args;
        const char* error;
    } wrong[] = {
        {{"--export-grid"}, "--export-grid needs CLASS.GRID, a screen class and a grid's name"},
        {{"--export-grid", "TUserForm", "u.csv"}, "--export-grid needs CLASS.GRID, a screen class and a grid's name"},
        {{"--export-grid", ".TavikPTGrid1", "u.csv"}, "--export-grid needs CLASS.GRID, a screen class and a grid's name"},
        {{"--export-grid", "TUserForm.", "u.csv"}, "--export-grid needs CLASS.GRID, a screen class and a grid's name"},
        {{"--export-grid", "TUserForm.G"}, "--export-grid needs a file ending in .csv after CLASS.GRID"},
        {{"--export-grid", "TUserForm.G", "u.txt"}, "--export-grid needs a file ending in .csv after CLASS.GRID"},
        {{"--export-chart"}, "--export-chart needs a file ending in .png, .pdf or .svg"},
        {{"--export-chart", "c.bmp"}, "--export-chart needs a file ending in .png, .pdf or .svg"},
        {{"--export-chart", "c.pdf", "--scale", "2"}, "--scale goes with --export-chart FILE.png"},
        {{"--export-chart", "c.png", "--scale", "3"}, "--scale is 1 or 2"},
        {{"--export-chart", "c.png", "--scale"}, "--scale is 1 or 2"},
        {{"--export-chart", "c.png", "--scale", "1", "--scale", "2"}, "--scale is given twice"},
        {{"--export-grid", "A.G", "u.csv", "--scale", "2"}, "--scale goes with --export-chart FILE.png"},
        {{"--export-chart", "c.png", "--export-grid", "A.G", "u.csv"}, "--export-grid cannot be combined with another command"},
        {{"--list", "--export-chart", "c.png"}, "--export-chart cannot be combined with another command"},
    };
    for (const Wrong& w : wrong) {
        const CommandLine cl = Parse(w.args);
        EXPECT_EQ(cl.action, A::Error);
        EXPECT_EQ(cl.error.toStdString(), w.error);
    }
}
