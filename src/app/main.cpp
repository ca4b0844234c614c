// orgrights: the launcher and its screens; with options, off-screen views of
// the screens for tests and documentation.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QJsonDocument>

#include "app/GalleryForm.h"
#include "app/MainForm.h"
#include "app/ScreenCatalog.h"
#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "platform/Application.h"
#include "screens/DepartPropForm.h"
#include "screens/RolePropForm.h"

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: orgrights [--list | --dump CLASS | --render CLASS|all|TGalleryForm --out DIR | --gallery]\n");
    return 2;
}

bool WantsHeadless(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--list" || a == "--dump" || a == "--render")
            return true;
    }
    return false;
}

// Screens built for inspection report errors on stderr instead of a message box.
void ReportErrorsOnConsole()
{
    Application()->SetMessageBoxHook([](const QString& text, const QString&, unsigned) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return 1;
    });
}

int RunTool(const QStringList& args)
{
    ReportErrorsOnConsole();
    if (args.value(1) == "--list") {
        for (const auto& entry : ScreenCatalog())
            std::printf("%s\n", entry.className);
        return 0;
    }
    if (args.value(1) == "--dump" && args.size() == 3) {
        const ScreenEntry* entry = FindScreen(args[2]);
        if (!entry) {
            std::fprintf(stderr, "unknown screen class %s\n", qPrintable(args[2]));
            return 1;
        }
        std::unique_ptr<TCustomForm> form(entry->make(nullptr));
        std::printf("%s\n", QJsonDocument(DumpForm(form.get())).toJson(QJsonDocument::Indented).constData());
        return 0;
    }
    if (args.value(1) == "--render" && args.size() == 5 && args[3] == "--out") {
        QDir().mkpath(args[4]);
        // The gallery is not a screen: rendered on request only, never with "all".
        if (args[2].compare(QLatin1String("TGalleryForm"), Qt::CaseInsensitive) == 0) {
            TGalleryForm gallery(nullptr);
            const QString path = QDir(args[4]).filePath(QStringLiteral("TGalleryForm.png"));
            if (!RenderForm(&gallery).save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(QDir(path).absolutePath()));
            return 0;
        }
        std::vector<const ScreenEntry*> entries;
        if (args[2] == "all") {
            for (const auto& e : ScreenCatalog())
                entries.push_back(&e);
        } else if (const ScreenEntry* e = FindScreen(args[2])) {
            entries.push_back(e);
        } else {
            std::fprintf(stderr, "unknown screen class %s\n", qPrintable(args[2]));
            return 1;
        }
        for (const ScreenEntry* e : entries) {
            std::unique_ptr<TCustomForm> form(e->make(nullptr));
            const QString path = QDir(args[4]).filePath(QString::fromLatin1(e->className) + ".png");
            if (!RenderForm(form.get()).save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(QDir(path).absolutePath()));
        }
        return 0;
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv)
{
    if (WantsHeadless(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orgrights"));

    RunUnitStartup();
    int result = 0;
    if (argc == 2 && QByteArray(argv[1]) == "--gallery") {
        Application()->Initialize();
        TGalleryForm gallery(nullptr);
        gallery.ShowModal();
    } else if (argc > 1) {
        result = RunTool(QCoreApplication::arguments());
    } else {
        TApplication* app = Application();
        app->Initialize();
        TMainForm* MainForm = nullptr;
        TRolePropForm* RolePropForm = nullptr;
        TDepartPropForm* DepartPropForm = nullptr;
        app->CreateForm(MainForm);
        app->CreateForm(RolePropForm);
        app->CreateForm(DepartPropForm);
        app->Run();
        app->DestroyForms();
    }
    RunUnitFinalization();
    return result;
}
