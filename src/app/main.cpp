// orgrights: the launcher and its screens; with options, off-screen views of
// the screens for tests and documentation.

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QJsonDocument>

#include "app/CommandLine.h"
#include "app/ExportCommands.h"
#include "app/GalleryForm.h"
#include "app/MainForm.h"
#include "app/ScreenCatalog.h"
#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "app/StoreCommands.h"
#include "platform/base/AppContext.h"
#include "platform/framework/Application.h"
#include "screens/DepartPropForm.h"
#include "screens/live/LiveStore.h"
#include "screens/RolePropForm.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"

namespace {

// Screens built for inspection report errors on stderr instead of a message box.
void ReportErrorsOnConsole()
{
    Application()->SetMessageBoxHook([](const QString& text, const QString&, unsigned) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return 1;
    });
}

bool IsGallery(const QString& className)
{
    return className.compare(QLatin1String(TGalleryForm::StaticClassName()), Qt::CaseInsensitive) == 0;
}

// The gallery is not a screen: built on request only, never with "all".
std::vector<std::pair<QString, std::function<std::unique_ptr<TCustomForm>()>>> FormsNamed(const QString& className)
{
    std::vector<std::pair<QString, std::function<std::unique_ptr<TCustomForm>()>>> forms;
    if (IsGallery(className)) {
        forms.emplace_back(QString::fromLatin1(TGalleryForm::StaticClassName()),
                           [] { return std::make_unique<TGalleryForm>(nullptr); });
        return forms;
    }
    for (const auto& e : ScreenCatalog())
        if (className == QLatin1String("all") || className.compare(QLatin1String(e.className), Qt::CaseInsensitive) == 0)
            forms.emplace_back(QString::fromLatin1(e.className),
                               [make = e.make] { return std::unique_ptr<TCustomForm>(make(nullptr)); });
    return forms;
}

int RunTool(const CommandLine& command)
{
    ReportErrorsOnConsole();
    if (command.action == CommandLine::Action::List) {
        for (const auto& entry : ScreenCatalog())
            std::printf("%s\n", entry.className);
        return 0;
    }
    if (command.action == CommandLine::Action::ExportGrid)
        return ExportGridCommand(command);
    if (command.action == CommandLine::Action::ExportChart)
        return ExportChartCommand(command);
    const auto forms = FormsNamed(command.className);
    if (forms.empty() || (command.action == CommandLine::Action::Dump && forms.size() != 1)) {
        std::fprintf(stderr, "orgrights: unknown screen class %s\n", qPrintable(command.className));
        return 1;
    }
    if (command.action == CommandLine::Action::Dump) {
        const std::unique_ptr<TCustomForm> form = forms.front().second();
        std::printf("%s\n", QJsonDocument(DumpForm(form.get())).toJson(QJsonDocument::Indented).constData());
        return 0;
    }
    if (!QDir().mkpath(command.outDir)) {
        std::fprintf(stderr, "orgrights: cannot make the folder %s\n", qPrintable(command.outDir));
        return 1;
    }
    for (const auto& [name, make] : forms) {
        const std::unique_ptr<TCustomForm> form = make();
        const QString path = QDir(command.outDir).filePath(name + QStringLiteral(".png"));
        if (!RenderForm(form.get()).save(path)) {
            std::fprintf(stderr, "orgrights: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(QDir(path).absolutePath()));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = ParseCommandLine(args);
    if (command.action == CommandLine::Action::Help) {
        std::fputs(CommandLineUsage(), stdout);
        return 0;
    }
    if (command.action == CommandLine::Action::Error) {
        std::fprintf(stderr, "orgrights: %s\n%s", qPrintable(command.error), CommandLineUsage());
        return 2;
    }
    if (IsHeadless(command) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orgrights"));
    // Everything the program keeps while it runs; freed before the framework's
    // application object.
    TAppContext context;

    RunUnitStartup();
    int result = 0;
    // The store the launcher, the exports and --dump/--render --store work on.
    std::unique_ptr<RightsStore> store;
    if (command.action == CommandLine::Action::StoreInfo || command.action == CommandLine::Action::Export
        || command.action == CommandLine::Action::Import)
        return RunStoreCommand(command);
    if (UsesStore(command)) {
        try {
            store = OpenCommandStore(command);
        } catch (const StoreError& e) {
            if (command.action != CommandLine::Action::Launcher) {
                std::fprintf(stderr, "orgrights: %s\n", e.Message().toUtf8().constData());
                return 1;
            }
            Application()->MessageBox(e.Message() + QStringLiteral("\n\nThe screens show the designed sample content."),
                                      QStringLiteral("orgrights"));
        }
    }
    if (command.action == CommandLine::Action::Gallery) {
        TGalleryForm gallery(nullptr);
        gallery.ShowModal();
    } else if (command.action != CommandLine::Action::Launcher) {
        SetLiveStore(store.get());
        result = RunTool(command);
        SetLiveStore(nullptr);
    } else {
        TApplication* app = Application();
        TMainForm* MainForm = nullptr;
        TRolePropForm* RolePropForm = nullptr;
        TDepartPropForm* DepartPropForm = nullptr;
        // The screens read and write the launcher's store; without one (--sample,
        // or a store that could not be opened) they show their designed content.
        SetLiveStore(command.sample ? nullptr : store.get());
        app->CreateForm(MainForm);
        app->CreateForm(RolePropForm);
        app->CreateForm(DepartPropForm);
        app->Run();
        app->DestroyForms();
        SetLiveStore(nullptr);
    }
    return result;
}
