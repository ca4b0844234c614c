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
