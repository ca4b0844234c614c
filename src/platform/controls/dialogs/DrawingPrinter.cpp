#include "platform/controls/dialogs/DrawingPrinter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrinter>

#include "platform/base/AppContext.h"
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

namespace {

// What the last print dialog chose, offered by the next one.
struct PrintScalingState {
    TPrintScaling last;
};

constexpr int kMinScalePercent = 1;
constexpr int kMaxScalePercent = 1000;

// The print dialog's page for the scaling: fitted, or a chosen percentage.
class ScalingPage : public QWidget {
public:
    ScalingPage(const TPrintScaling& initial, const QString& fitCaption)
    {
        setObjectName(QStringLiteral("scalingPage"));
        setWindowTitle(QStringLiteral("缩放"));
        fit_ = new QRadioButton(fitCaption.isEmpty() ? QStringLiteral("适合一页") : fitCaption, this);
        fit_->setObjectName(QStringLiteral("fit"));
        chosen_ = new QRadioButton(QStringLiteral("按比例"), this);
        chosen_->setObjectName(QStringLiteral("chosen"));
        percent_ = new QSpinBox(this);
        percent_->setObjectName(QStringLiteral("percent"));
        percent_->setRange(kMinScalePercent, kMaxScalePercent);
        percent_->setSuffix(QStringLiteral(" %"));
        percent_->setValue(int(std::lround(std::clamp(initial.scale * 100, double(kMinScalePercent),
                                                      double(kMaxScalePercent)))));
        (initial.fitToPage ? fit_ : chosen_)->setChecked(true);
        percent_->setEnabled(!initial.fitToPage);
        QObject::connect(chosen_, &QRadioButton::toggled, percent_, &QSpinBox::setEnabled);
        auto* row = new QHBoxLayout;
        row->addWidget(chosen_);
        row->addWidget(percent_);
        row->addStretch();
        auto* column = new QVBoxLayout(this);
        column->addWidget(fit_);
        column->addLayout(row);
        column->addStretch();
    }
    TPrintScaling Scaling() const { return {fit_->isChecked(), percent_->value() / 100.0}; }

private:
    QRadioButton* fit_;
    QRadioButton* chosen_;
    QSpinBox* percent_;
};

} // namespace

std::unique_ptr<TDrawingPrinter> TDrawingPrinter::FromDialog(TWinControl* owner, const QString& fitCaption)
{
    if (PrintDialogHook())
        return PrintDialogHook()();
    auto p = std::make_unique<Private>();
    QPrintDialog dialog(&p->printer, owner ? owner->Widget() : nullptr);
    TPrintScaling& last = AppContext().State<PrintScalingState>().last;
    auto* page = new ScalingPage(last, fitCaption);
    dialog.setOptionTabs({page});
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    last = page->Scaling();
    std::unique_ptr<TDrawingPrinter> printer(new TDrawingPrinter(std::move(p)));
    printer->SetScaling(last);
    return printer;
}

int TDrawingPrinter::PageCount(int width, int height, const TPrintScaling& scaling) const
{
    if (width < 1 || height < 1)
        return 0;
    const PageGrid g = GridFor(d->printer, width, height, scaling);
    return g.across * g.down;
}

namespace {

// Sends a file printer's output to a temporary file beside its target until
// Commit; otherwise the temporary file is removed and the target stays.
class PrintFileGuard {
public:
    explicit PrintFileGuard(QPrinter& printer) : printer_(printer), target_(printer.outputFileName())
    {
        if (target_.isEmpty())
            return;
        temp_ = target_ + QStringLiteral(".part");
        printer_.setOutputFileName(temp_);
    }
    ~PrintFileGuard()
    {
        if (target_.isEmpty())
            return;
        printer_.setOutputFileName(target_);
        if (!committed_)
            QFile::remove(temp_);
    }
    PrintFileGuard(const PrintFileGuard&) = delete;
    PrintFileGuard& operator=(const PrintFileGuard&) = delete;
    void Commit()
    {
        if (target_.isEmpty())
            return;
        // rename() replaces the old file in one step.
        if (std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) != 0)
            throw EFileError(QStringLiteral("cannot write %1").arg(target_));
        committed_ = true;
    }

private:
    QPrinter& printer_;
    QString target_;
    QString temp_;
    bool committed_ = false;
};

} // namespace

int TDrawingPrinter::Print(int width, int height, const TPrintScaling& scaling, const QString& title,
                           const std::function<void(TCanvas&)>& paint, const TProgressHook& progress)
{
    if (width < 1 || height < 1)
        throw EFileError(QStringLiteral("nothing to print: the drawing is %1 x %2 pixels").arg(width).arg(height));
    d->printer.setDocName(title);
    PrintFileGuard file(d->printer);
    const PageGrid g = GridFor(d->printer, width, height, scaling);
    QPainter painter;
    if (!painter.begin(&d->printer))
        throw EFileError(QStringLiteral("cannot print %1").arg(title));
    // Each page shows a window of the drawing: its width and height in logical pixels.
    const double tileW = g.page.width() / g.factor, tileH = g.page.height() / g.factor;
    int pages = 0;
    for (int row = 0; row < g.down; ++row)
        for (int col = 0; col < g.across; ++col) {
            if (progress && !progress(pages, g.across * g.down)) {
                d->printer.abort();
                painter.end();
                return 0;
            }
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
    if (progress && !progress(pages, pages)) {
        d->printer.abort();
        painter.end();
        return 0;
    }
    if (!painter.end())
        throw EFileError(QStringLiteral("cannot finish printing %1").arg(title));
    file.Commit();
    return pages;
}

TDrawingPrinter::TPageArea TDrawingPrinter::PageArea() const
{
    const QRectF page = d->printer.pageLayout().paintRectPixels(d->printer.resolution()).toRectF();
    const double natural = d->printer.resolution() / kLogicalPixelsPerInch;
    return {page.width() / natural, page.height() / natural};
}


bool TDrawingPrinter::PrintPages(int pages, double scale, const QString& title,
                                 const std::function<void(TCanvas&, int page)>& paint, const TProgressHook& progress)
{
    if (pages < 1)
        throw EFileError(QStringLiteral("nothing to print in %1").arg(title));
    scale = std::clamp(scale, 0.01, 100.0);
    d->printer.setDocName(title);
    PrintFileGuard file(d->printer);
    const double factor = d->printer.resolution() / kLogicalPixelsPerInch * scale;
    const TPageArea area = PageArea();
    const int width = int(std::floor(area.width / scale)), height = int(std::floor(area.height / scale));
    QPainter painter;
    if (!painter.begin(&d->printer))
        throw EFileError(QStringLiteral("cannot print %1").arg(title));
    for (int page = 0; page < pages; ++page) {
        if (progress && !progress(page, pages)) {
            d->printer.abort();
            painter.end();
            return false;
        }
        if (page > 0 && !d->printer.newPage())
            throw EFileError(QStringLiteral("cannot start page %1 of %2").arg(page + 1).arg(title));
        painter.save();
        painter.scale(factor, factor);
        TCanvas canvas(painter, width, height);
        canvas.SetClipRect({0, 0, width, height});
        paint(canvas, page);
        painter.restore();
    }
    if (progress && !progress(pages, pages)) {
        d->printer.abort();
        painter.end();
        return false;
    }
    if (!painter.end())
        throw EFileError(QStringLiteral("cannot finish printing %1").arg(title));
    file.Commit();
    return true;
}
