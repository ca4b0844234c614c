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
