#include "app/CommandLine.h"

namespace {

CommandLine Fail(const QString& message)
{
    CommandLine c;
    c.action = CommandLine::Action::Error;
    c.error = message;
    return c;
}

} // namespace

const char* CommandLineUsage()
{
    return "usage: orgrights                         the launcher\n"
           "       orgrights --list                  the screen classes, one per line\n"
           "       orgrights --dump CLASS            a screen's control tree as JSON\n"
           "       orgrights --render CLASS|all --out DIR\n"
           "                                         the screens as pictures, DIR/CLASS.png\n"
           "       orgrights --gallery               the component gallery\n"
           "       orgrights --help                  this text\n"
           "CLASS is a screen class from --list, or TGalleryForm.\n";
}

CommandLine ParseCommandLine(const QStringList& args)
{
    CommandLine c;
    bool haveAction = false;
    bool haveOut = false;
    auto setAction = [&](CommandLine::Action a) -> bool {
        if (haveAction)
            return false;
        haveAction = true;
        c.action = a;
        return true;
    };
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& into) -> bool {
            // An option in the value's place ("--dump -h") means the value is missing.
            if (i + 1 >= args.size() || args[i + 1].startsWith(QLatin1Char('-')))
                return false;
            into = args[++i];
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            if (!setAction(CommandLine::Action::Help))
                return Fail(QStringLiteral("%1 goes alone").arg(a));
        } else if (a == QLatin1String("--list") || a == QLatin1String("--gallery")) {
            if (!setAction(a == QLatin1String("--list") ? CommandLine::Action::List : CommandLine::Action::Gallery))
                return Fail(QStringLiteral("%1 cannot be combined with another command").arg(a));
        } else if (a == QLatin1String("--dump") || a == QLatin1String("--render")) {
            if (!setAction(a == QLatin1String("--dump") ? CommandLine::Action::Dump : CommandLine::Action::Render))
                return Fail(QStringLiteral("%1 cannot be combined with another command").arg(a));
            if (!value(c.className) || c.className.isEmpty())
                return Fail(QStringLiteral("%1 needs a screen class").arg(a));
        } else if (a == QLatin1String("--out")) {
            if (haveOut)
                return Fail(QStringLiteral("--out is given twice"));
            haveOut = true;
            if (!value(c.outDir) || c.outDir.isEmpty())
                return Fail(QStringLiteral("--out needs a folder"));
        } else if (a.startsWith(QLatin1Char('-'))) {
            return Fail(QStringLiteral("unknown option %1").arg(a));
        } else {
            return Fail(QStringLiteral("unexpected argument %1").arg(a));
        }
    }
    if (haveOut && c.action != CommandLine::Action::Render)
        return Fail(QStringLiteral("--out goes with --render"));
    if (c.action == CommandLine::Action::Render && !haveOut)
        return Fail(QStringLiteral("--render needs --out DIR"));
    return c;
}

bool IsHeadless(const CommandLine& command)
{
    switch (command.action) {
    case CommandLine::Action::Launcher:
    case CommandLine::Action::Gallery:
        return false;
    default:
        return true;
    }
}
