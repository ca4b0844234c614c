#include "screens/RightSetForm.h"

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/Label.h"

namespace {

TLabel& AsLabel(TObject* sender)
{
    auto* label = dynamic_cast<TLabel*>(sender);
    if (!label)
        throw EInvalidCast();
    return *label;
}

} // namespace

TRightSetForm::TRightSetForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    Handler<TNotifyEvent>("Label7MouseEnter", [this](TObject* s) { Label7MouseEnter(s); });
    Handler<TNotifyEvent>("Label7MouseLeave", [this](TObject* s) { Label7MouseLeave(s); });
    ExitHandler();
    EmptyHandlers({"acSaveExecute", "acCancelExecute", "acRefreshExecute", "acCopyExecute", "acPasteExecute"});
    Build(QStringLiteral("RightSetForm"));
}

void TRightSetForm::FormCreate(TObject*)
{
    pcRight = Require<TFlatPageControl>("pcRight");
    // Only grids placed directly on the pages; deeper ones keep their highlight.
    for (int p = 0; p < pcRight->PageCount(); ++p)
        for (TControl* control : pcRight->Pages(p)->ControlList())
            if (auto* grid = dynamic_cast<TTavikPTGrid*>(control))
                grid->SetPaintSelection(false);
}

void TRightSetForm::Label7MouseEnter(TObject* sender)
{
    TFont& font = AsLabel(sender).Font();
    font.SetStyle(font.Style() & ~TFontStyles(fsUnderline));
    font.SetColor(clMaroon);
}

void TRightSetForm::Label7MouseLeave(TObject* sender)
{
    TFont& font = AsLabel(sender).Font();
    font.SetStyle(font.Style() | fsUnderline);
    font.SetColor(clNavy);
}
