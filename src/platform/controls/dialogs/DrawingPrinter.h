#pragma once

// Printing a drawing through Qt Print Support: the canvas's vector back end on
// the printer's painter, fitted to one page or at a chosen scale across as
// many pages as it needs (left to right, then down).

#include <functional>
#include <memory>

#include <QString>

#include "platform/base/SaveFile.h"

class TCanvas;
class TWinControl;

struct TPrintScaling {
    // Fitted: the whole drawing on one page (a grid: the page's width), never
    // enlarged. Otherwise scale times its size at 96 pixels per inch, over
    // several pages when needed.
    bool fitToPage = true;
    double scale = 1.0;
};

class TDrawingPrinter {
public:
    // A printer that writes a PDF file (print to file, tests).
    static std::unique_ptr<TDrawingPrinter> ToPdfFile(const QString& path);
    // The platform's print dialog over the owner's window, with a page of its
    // own for the scaling (fitCaption names fitting, "适合一页" when empty; the
    // last choice is offered again); nullptr when the user cancels it.
    static std::unique_ptr<TDrawingPrinter> FromDialog(TWinControl* owner, const QString& fitCaption = {});
    // Tests and automation answer in place of the print dialog.
    using DialogHook = std::function<std::unique_ptr<TDrawingPrinter>()>;
    static void SetDialogHook(DialogHook hook);
    ~TDrawingPrinter();

    // The scaling chosen in the print dialog (fitted for other printers).
    TPrintScaling Scaling() const { return scaling_; }
    void SetScaling(const TPrintScaling& scaling) { scaling_ = scaling; }

    // The pages a drawing of width x height logical pixels takes.
    int PageCount(int width, int height, const TPrintScaling& scaling) const;
    // Prints it, paint drawing the part each page shows (the canvas's clip);
    // returns the pages printed, 0 when progress (pages done, pages: before each
    // page and at the end) cancelled (the run is aborted). Throws EFileError.
    int Print(int width, int height, const TPrintScaling& scaling, const QString& title,
              const std::function<void(TCanvas&)>& paint, const TProgressHook& progress = {});

    // The printable part of a page in logical pixels (96 per inch).
    struct TPageArea {
        double width = 0;
        double height = 0;
    };
    TPageArea PageArea() const;
    // Prints pages one after another, each a drawing of the page area divided
    // by scale (scale <= 1 shrinks a drawing wider than the page);
    // paint(canvas, page) draws page 0 .. pages - 1 from its own origin.
    // progress (pages done, pages) may cancel: the print run is then aborted
    // and false returned. Throws EFileError when printing fails. A printer
    // that writes a file writes it beside the target first, so that a failed
    // or cancelled run leaves the old file as it was.
    bool PrintPages(int pages, double scale, const QString& title,
                    const std::function<void(TCanvas&, int page)>& paint, const TProgressHook& progress = {});

private:
    struct Private;
    explicit TDrawingPrinter(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
    TPrintScaling scaling_;
};
