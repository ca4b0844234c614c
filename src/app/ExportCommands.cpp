#include "app/ExportCommands.h"

#include <cstdio>
#include <memory>

#include "app/ScreenCatalog.h"
#include "app/TerminalProgress.h"
#include "grid/viewgrid/GridCsvWriter.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "orgchart/OrgChart.h"
#include "orgchart/OrgChartExport.h"
#include "screens/OrgForm.h"

namespace {

int ReportFailure(const QString& message)
{
    std::fprintf(stderr, "orgrights: %s\n", qPrintable(message));
    return 1;
}

int ReportCancelled(const QString& path)
{
    std::fprintf(stderr, "orgrights: cancelled; %s was not written\n", qPrintable(path));
    return TerminalProgress::kCancelledExit;
}

// A screen with its content, as it opens: the live store's when there is one,
// else the sample that the screen's definition holds.
std::unique_ptr<TCustomForm> OpenScreen(const ScreenEntry& screen)
{
    return std::unique_ptr<TCustomForm>(screen.make(nullptr));
}

} // namespace

int ExportGridCommand(const CommandLine& command)
{
    const ScreenEntry* screen = FindScreen(command.className);
    if (!screen)
        return ReportFailure(QStringLiteral("unknown screen class %1").arg(command.className));
    const std::unique_ptr<TCustomForm> form = OpenScreen(*screen);
    auto* grid = form->Find<TTavikCustomViewGrid>(command.gridName);
    if (!grid)
        return ReportFailure(QStringLiteral("%1 has no grid named %2").arg(QLatin1String(screen->className), command.gridName));
    try {
        TerminalProgress progress(QStringLiteral("exporting %1").arg(command.file));
        if (!TGridCsvWriter(*grid).Save(command.file, progress.Hook()))
            return ReportCancelled(command.file);
    } catch (const Exception& e) {
        return ReportFailure(e.Message());
    }
    return 0;
}

int ExportChartCommand(const CommandLine& command)
{
    const ScreenEntry* screen = FindScreen(QLatin1String(TOrgForm::StaticClassName()));
    if (!screen)
        return ReportFailure(QStringLiteral("the organisation screen is missing"));
    const std::unique_ptr<TCustomForm> form = OpenScreen(*screen);
    TCustomOrgChart* chart = nullptr;
    for (int i = 0; i < form->ComponentCount() && !chart; ++i)
        chart = dynamic_cast<TCustomOrgChart*>(form->Components(i));
    if (!chart)
        return ReportFailure(QStringLiteral("the organisation screen has no chart"));
    try {
        TerminalProgress progress(QStringLiteral("exporting %1").arg(command.file));
        bool whole = false;
        if (command.file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            whole = ExportChartVector(*chart, command.file, TVectorFormat::Pdf, progress.Hook());
        else if (command.file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
            whole = ExportChartVector(*chart, command.file, TVectorFormat::Svg, progress.Hook());
        else
            whole = ExportChartPng(*chart, command.file, command.scale, progress.Hook());
        if (!whole)
            return ReportCancelled(command.file);
    } catch (const Exception& e) {
        return ReportFailure(e.Message());
    }
    return 0;
}
