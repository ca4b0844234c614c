#include "platform/controls/dialogs/DrawingPrinter.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>

#include "platform/canvas/Canvas.h"
#include "platform/framework/WinControl.h"

namespace {

constexpr double kLogicalPixelsPerInch = 96.0;

// Device pixels per logical pixel, and the pages across and down.
struct PageGrid {
    double factor = 1;
    int across = 1;
    int down = 1;
    QRectF page;
};

PageGrid GridFor(const QPrinter& printer, int width, int height, const TPrintScaling& scaling)
{
    PageGrid g;
    g.page = printer.pageLayout().paintRectPixels(printer.resolution()).toRectF();
    const double natural = printer.resolution() / kLogicalPixelsPerInch;
    if (scaling.fitToPage) {
        const double fit = std::min(g.page.width() / (width * natural), g.page.height() / (height * natural));
        g.factor = natural * std::min(1.0, fit);
        return g;
    }
    g.factor = natural * std::clamp(scaling.scale, 0.01, 100.0);
    g.across = std::max(1, int(std::ceil(width * g.factor / g.page.width() - 1e-9)));
    g.down = std::max(1, int(std::ceil(height * g.factor / g.page.height() - 1e-9)));
    return g;
}

} // namespace

struct TDrawingPrinter::Private {
    QPrinter printer{QPrinter::HighResolution};
};

TDrawingPrinter::TDrawingPrinter(std::unique_ptr<Private> p) : d(std::move(p)) {}
TDrawingPrinter::~TDrawingPrinter() = default;

std::unique_ptr<TDrawingPrinter> TDrawingPrinter::ToPdfFile(const QString& path)
{
    auto p = std::make_unique<Private>();
    p->printer.setOutputFormat(QPrinter::PdfFormat);
    p->printer.setOutputFileName(path);
    return std::unique_ptr<TDrawingPrinter>(new TDrawingPrinter(std::move(p)));
}

namespace {

TDrawingPrinter::DialogHook& PrintDialogHook()
{
    static TDrawingPrinter::DialogHook hook;
    return hook;
}

} // namespace

void TDrawingPrinter::SetDialogHook(DialogHook hook)
{
    PrintDialogHook() = std::move(hook);
}

std::unique_ptr<TDrawingPrinter> TDrawingPrinter::FromDialog(TWinControl* owner)
{
    if (PrintDialogHook())
        return PrintDialogHook()();
    auto p = std::make_unique<Private>();
    QPrintDialog dialog(&p->printer, owner ? owner->Widget() : nullptr);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::unique_ptr<TDrawingPrinter>(new TDrawingPrinter(std::move(p)));
}

int TDrawingPrinter::PageCount(int width, int height, const TPrintScaling& scaling) const
{
    if (width < 1 || height < 1)
        return 0;
    const PageGrid g = GridFor(d->printer, width, height, scaling);
    return g.across * g.down;
}

int TDrawingPrinter::Print(int width, int height, const TPrintScaling& scaling, const QString& title,
                           const std::function<void(TCanvas&)>& paint)
{
    if (width < 1 || height < 1)
        throw EFileError(QStringLiteral("nothing to print: the drawing is %1 x %2 pixels").arg(width).arg(height));
    d->printer.setDocName(title);
    const PageGrid g = GridFor(d->printer, width, height, scaling);
    QPainter painter;
    if (!painter.begin(&d->printer))
        throw EFileError(QStringLiteral("cannot print %1").arg(title));
    // Each page shows a window of the drawing: its width and height in logical pixels.
    const double tileW = g.page.width() / g.factor, tileH = g.page.height() / g.factor;
    int pages = 0;
    for (int row = 0; row < g.down; ++row)
        for (int col = 0; col < g.across; ++col) {
            if (pages++ > 0 && !d->printer.newPage())
                throw EFileError(QStringLiteral("cannot start page %1 of %2").arg(pages).arg(title));
            painter.save();
            painter.scale(g.factor, g.factor);
            painter.translate(-col * tileW, -row * tileH);
            TCanvas canvas(painter, width, height);
            canvas.SetClipRect({int(std::floor(col * tileW)), int(std::floor(row * tileH)),
                                int(std::ceil((col + 1) * tileW)), int(std::ceil((row + 1) * tileH))});
            paint(canvas);
            painter.restore();
        }
    if (!painter.end())
        throw EFileError(QStringLiteral("cannot finish printing %1").arg(title));
    return pages;
}
