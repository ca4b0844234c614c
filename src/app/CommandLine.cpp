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
           "       orgrights --export-grid CLASS.GRID FILE.csv\n"
           "                                         a screen's grid as CSV, e.g. TUserForm.TavikPTGrid1\n"
           "       orgrights --export-chart FILE.png [--scale 1|2] | FILE.pdf | FILE.svg\n"
           "                                         the whole organisation chart as a picture or drawing\n"
           "       orgrights --gallery               the component gallery\n"
           "       orgrights --help                  this text\n"
           "CLASS is a screen class from --list, or TGalleryForm.\n";
}

CommandLine ParseCommandLine(const QStringList& args)
{
    CommandLine c;
    bool haveAction = false;
    bool haveOut = false;
    bool haveScale = false;
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
        } else if (a == QLatin1String("--export-grid")) {
            if (!setAction(CommandLine::Action::ExportGrid))
                return Fail(QStringLiteral("%1 cannot be combined with another command").arg(a));
            QString target;
            const int dot = value(target) ? int(target.indexOf(QLatin1Char('.'))) : -1;
            if (dot <= 0 || dot == target.size() - 1)
                return Fail(QStringLiteral("--export-grid needs CLASS.GRID, a screen class and a grid's name"));
            c.className = target.left(dot);
            c.gridName = target.mid(dot + 1);
            if (!value(c.file) || !c.file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
                return Fail(QStringLiteral("--export-grid needs a file ending in .csv after CLASS.GRID"));
        } else if (a == QLatin1String("--export-chart")) {
            if (!setAction(CommandLine::Action::ExportChart))
                return Fail(QStringLiteral("%1 cannot be combined with another command").arg(a));
            auto endsWith = [&](const char* suffix) { return c.file.endsWith(QLatin1String(suffix), Qt::CaseInsensitive); };
            if (!value(c.file) || !(endsWith(".png") || endsWith(".pdf") || endsWith(".svg")))
                return Fail(QStringLiteral("--export-chart needs a file ending in .png, .pdf or .svg"));
        } else if (a == QLatin1String("--scale")) {
            if (haveScale)
                return Fail(QStringLiteral("--scale is given twice"));
            haveScale = true;
            QString n;
            if (!value(n) || (n != QLatin1String("1") && n != QLatin1String("2")))
                return Fail(QStringLiteral("--scale is 1 or 2"));
            c.scale = n.toInt();
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
    if (haveScale && (c.action != CommandLine::Action::ExportChart || !c.file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)))
        return Fail(QStringLiteral("--scale goes with --export-chart FILE.png"));
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
