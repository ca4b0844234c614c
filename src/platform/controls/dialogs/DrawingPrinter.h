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
    // Fitted: the whole drawing on one page, never enlarged. Otherwise scale
    // times its size at 96 pixels per inch, over several pages when needed.
    bool fitToPage = true;
    double scale = 1.0;
};

class TDrawingPrinter {
public:
    // A printer that writes a PDF file (print to file, tests).
    static std::unique_ptr<TDrawingPrinter> ToPdfFile(const QString& path);
    // The platform's print dialog over the owner's window; nullptr when the
    // user cancels it.
    static std::unique_ptr<TDrawingPrinter> FromDialog(TWinControl* owner);
    // Tests and automation answer in place of the print dialog.
    using DialogHook = std::function<std::unique_ptr<TDrawingPrinter>()>;
    static void SetDialogHook(DialogHook hook);
    ~TDrawingPrinter();

    // The pages a drawing of width x height logical pixels takes.
    int PageCount(int width, int height, const TPrintScaling& scaling) const;
    // Prints it, paint drawing the part each page shows (the canvas's clip);
    // returns the pages printed. Throws EFileError when printing fails.
    int Print(int width, int height, const TPrintScaling& scaling, const QString& title,
              const std::function<void(TCanvas&)>& paint);

private:
    struct Private;
    explicit TDrawingPrinter(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};
