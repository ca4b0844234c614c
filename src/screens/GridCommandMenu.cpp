#include "screens/GridCommandMenu.h"

#include "grid/ptgrid/GridClipboard.h"
#include "grid/viewgrid/GridCsvWriter.h"
#include "grid/viewgrid/GridPrintWriter.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Application.h"
#include "platform/framework/Clipboard.h"
#include "platform/controls/dialogs/FileDialog.h"
#include "platform/framework/Messages.h"
#include "platform/controls/PopupMenu.h"
#include "screens/dialogs/ProgressForm.h"

GridCommandMenu::GridCommandMenu(TCustomForm& form, TTavikPTGrid& grid)
    : TComponent(&form), form_(form), grid_(grid), menu_(new TPopupMenu(this)),
      previousMessage_(grid.OnGridMessage), previousMouseUp_(grid.OnMouseUp), previousKeyDown_(grid.OnKeyDown)
{
    const struct {
        const char* caption;
        Command command;
    } items[] = {{"复制", Copy}, {"粘贴", Paste}, {"导出 CSV…", ExportCsv}, {"打印…", Print}};
    for (const auto& item : items) {
        const Command command = item.command;
        menu_->Add(QString::fromUtf8(item.caption))->OnClick = TNotifyEvent([this, command](TObject*) { Run(command); });
    }
    grid_.OnGridMessage = TGridMessageEvent([this](TObject* sender, TMessage& message) {
        previousMessage_(sender, message);
        if (message.Msg == WM_COPY) {
            Run(Copy);
            message.Result = 1;
        } else if (message.Msg == WM_PASTE) {
            Run(Paste);
            message.Result = 1;
        }
    });
    grid_.OnMouseUp = TMouseEvent([this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        previousMouseUp_(sender, button, shift, x, y);
        if (button == mbRight)
            Popup(x, y);
    });
    grid_.OnKeyDown = TKeyEvent([this](TObject* sender, Word& key, TShiftState shift) {
        previousKeyDown_(sender, key, shift);
        const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
        if ((key == VK_APPS && mods == 0) || (key == VK_F10 && mods == ssShift)) {
            // Below the current cell's left edge, else at the grid's corner.
            const TRect cell = grid_.CellBounds(grid_.CurrentCol(), grid_.CurrentRow());
            if (cell.Right > cell.Left)
                Popup(cell.Left + 4, cell.Bottom - 2);
            else
                Popup(8, 8);
            key = 0;
        }
    });
}

GridCommandMenu::~GridCommandMenu()
{
    if (!gridAlive_)
        return;
    grid_.OnGridMessage = previousMessage_;
    grid_.OnMouseUp = previousMouseUp_;
    grid_.OnKeyDown = previousKeyDown_;
}

void GridCommandMenu::Notification(TComponent* component, bool removing)
{
    if (removing && component == &grid_)
        gridAlive_ = false;
}

void GridCommandMenu::Popup(int x, int y)
{
    menu_->Items(Paste)->Enabled = TGridClipboard(grid_).AcceptsPaste();
    const TPoint p = grid_.ClientToScreen({x, y});
    menu_->Popup(p.X, p.Y);
}

void GridCommandMenu::Report(const QString& message, unsigned flags)
{
    Application()->MessageBox(message, form_.Caption(), flags);
}

void GridCommandMenu::Run(Command command)
{
    try {
        switch (command) {
        case Copy: CopyCells(); break;
        case Paste: PasteCells(); break;
        case ExportCsv: ExportCsvFile(); break;
        case Print: PrintGrid(); break;
        }
    } catch (const Exception& e) {
        Report(e.Message(), MB_ICONERROR);
    }
}

void GridCommandMenu::CopyCells()
{
    const TGridClipboardText text = TGridClipboard(grid_).Copy();
    SetClipboardText(text.Tsv, text.Html);
}

void GridCommandMenu::PasteCells()
{
    TGridClipboard clipboard(grid_);
    if (grid_.RowCount() <= grid_.FixedRows()) {
        Report(QStringLiteral("The list has no rows to paste into; add rows first. Nothing was pasted."),
               MB_ICONWARNING);
        return;
    }
    if (!clipboard.AcceptsPaste()) {
        Report(QStringLiteral("This list cannot be edited here; nothing was pasted."), MB_ICONWARNING);
        return;
    }
    const QString text = ClipboardText();
    if (text.isEmpty())
        return;
    const QString summary = clipboard.Paste(text).Summary();
    if (!summary.isEmpty())
        Report(summary, MB_ICONWARNING);
}

void GridCommandMenu::ExportCsvFile()
{
    const QString path =
        SaveFileName(&form_, QStringLiteral("导出 CSV"), QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    TProgressForm progress(&form_, QStringLiteral("导出 CSV"), QStringLiteral("正在导出 %1").arg(path));
    TGridCsvWriter(grid_).Save(path, progress.Hook());
}

void GridCommandMenu::PrintGrid()
{
    const auto printer = TDrawingPrinter::FromDialog(&form_, QStringLiteral("适合页宽"));
    if (!printer)
        return;
    TProgressForm progress(&form_, QStringLiteral("打印"), QStringLiteral("正在打印 %1").arg(form_.Caption()));
    TGridPrintWriter(grid_).Print(*printer, progress.Hook());
}

void AttachGridCommandMenus(TCustomForm& form)
{
    std::vector<TTavikPTGrid*> grids;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* grid = dynamic_cast<TTavikPTGrid*>(form.Components(i)))
            grids.push_back(grid);
    for (TTavikPTGrid* grid : grids)
        new GridCommandMenu(form, *grid);
}
