#include "screens/ChartExportMenu.h"

#include "orgchart/OrgChart.h"
#include "orgchart/OrgChartExport.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/dialogs/FileDialog.h"
#include "platform/framework/Application.h"
#include "platform/framework/Messages.h"
#include "screens/dialogs/ProgressForm.h"

ChartExportMenu::ChartExportMenu(TWinControl& owner, TCustomOrgChart& chart)
    : owner_(owner), chart_(chart), menu_(new TPopupMenu(&owner))
{
    const struct {
        const char* caption;
        Command command;
    } items[] = {{"导出图片…", Picture}, {"导出 PDF…", Pdf}, {"导出 SVG…", Svg}, {"打印…", Print}};
    for (const auto& item : items) {
        const Command command = item.command;
        menu_->Add(QString::fromUtf8(item.caption))->OnClick = TNotifyEvent([this, command](TObject*) { Run(command); });
    }
    chart_.OnMouseUp = TMouseEvent([this](TObject*, TMouseButton button, TShiftState, int x, int y) {
        if (button == mbRight)
            Popup(x, y);
    });
    chart_.OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState shift) {
        const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
        if ((key == VK_APPS && mods == 0) || (key == VK_F10 && mods == ssShift)) {
            // At the selected node, else at the chart's corner.
            TPoint at{8, 8};
            if (TOcNode* node = chart_.Tree().Selected()) {
                const TRect r = chart_.NodeBoxRect(node);
                at = {r.Left + 4, r.Bottom - 4};
            }
            Popup(at.X, at.Y);
            key = 0;
        }
    });
}

void ChartExportMenu::Popup(int x, int y)
{
    const TPoint p = chart_.ClientToScreen({x, y});
    menu_->Popup(p.X, p.Y);
}

void ChartExportMenu::Report(const QString& message)
{
    Application()->MessageBox(message, owner_.Caption(), MB_ICONERROR);
}

void ChartExportMenu::Run(Command command)
{
    try {
        if (command == Print) {
            const auto printer = TDrawingPrinter::FromDialog(&owner_);
            if (!printer)
                return;
            TProgressForm progress(dynamic_cast<TCustomForm*>(&owner_), QStringLiteral("打印"),
                                   QStringLiteral("正在打印 %1").arg(owner_.Caption()));
            PrintChart(chart_, *printer, printer->Scaling(), progress.Hook());
            return;
        }
        static const struct {
            const char* caption;
            const char* filter;
            const char* suffix;
        } kinds[] = {{"导出图片", "PNG (*.png)", "png"}, {"导出 PDF", "PDF (*.pdf)", "pdf"}, {"导出 SVG", "SVG (*.svg)", "svg"}};
        const auto& kind = kinds[command];
        const QString path = SaveFileName(&owner_, QString::fromUtf8(kind.caption), QString::fromLatin1(kind.filter),
                                          QString::fromLatin1(kind.suffix));
        if (path.isEmpty())
            return;
        TProgressForm progress(dynamic_cast<TCustomForm*>(&owner_), QString::fromUtf8(kind.caption),
                               QStringLiteral("正在导出 %1").arg(path));
        if (command == Picture)
            ExportChartPng(chart_, path, 1, progress.Hook());
        else
            ExportChartVector(chart_, path, command == Pdf ? TVectorFormat::Pdf : TVectorFormat::Svg, progress.Hook());
    } catch (const Exception& e) {
        Report(e.Message());
    }
}
