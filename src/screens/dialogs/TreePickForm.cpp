#include "screens/dialogs/TreePickForm.h"

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Messages.h"

TTreePickForm::TTreePickForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("TreePickForm"));
    TavikPTGrid1 = Require<TTavikPTGrid>("TavikPTGrid1");
    TavikPTGrid1->SetPaintSelection(false);
    // Only the boxes change; the names are a view.
    TavikPTGrid1->OnQueryEditorMode = TGridQueryEditorModeEvent([this](TObject*, int col, int row, bool& canShow, QChar) {
        canShow = canShow && col == PickCol && Pickable(row);
    });
    // The grid claims Enter and Escape for its editor, which no cell here
    // has: they stay the dialog's.
    TavikPTGrid1->OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState shift) {
        if (shift != TShiftState())
            return;
        if (key == VK_RETURN) {
            key = 0;
            SetModalResult(mrOk);
        } else if (key == VK_ESCAPE) {
            key = 0;
            SetModalResult(mrCancel);
        }
    });
    SetActiveControl(TavikPTGrid1);
}

bool TTreePickForm::Pickable(int row) const
{
    if (row < 1 || row >= TavikPTGrid1->RowCount())
        return false;
    const int i = TavikPTGrid1->Rows()->Items(row)->Data() - 1;
    return i >= 0 && size_t(i) < items_.size() && items_[size_t(i)].pickable;
}

void TTreePickForm::SetItems(const QString& title, const std::vector<Item>& items)
{
    if (auto* strip = Find<TControl>(QStringLiteral("GradientPanel2")))
        strip->SetCaption(title);
    items_ = items;
    TTavikPTGrid& grid = *TavikPTGrid1;
    const int rows = 1 + int(items_.size());
    grid.Synchronise(grid.ColCount(), rows);
    grid.SetRowCount(rows);
    for (size_t i = 0; i < items_.size(); ++i) {
        const int row = 1 + int(i);
        grid.Rows()->Items(row)->SetData(int32_t(i + 1));
        grid.SetRowHeight(row, grid.DefaultRowHeight());
        grid.Cell(NameCol, row)->SetValue(items_[i].name);
        grid.Cell(CodeCol, row)->SetValue(items_[i].code);
        grid.Cell(LevelCol, row)->SetValue(QString::number(items_[i].level));
        TPTCell* pick = grid.Cell(PickCol, row);
        pick->SetDataType(items_[i].pickable ? cdtBoolean : cdtString);
        pick->SetValue(items_[i].pickable ? QStringLiteral("F") : QString());
    }
    // The first row that may be ticked is current, so Space ticks it at once.
    for (int row = 1; row < rows; ++row)
        if (Pickable(row)) {
            grid.FocusCell(PickCol, row, true);
            break;
        }
    grid.Invalidate();
}

std::vector<qint64> TTreePickForm::Picked()
{
    TavikPTGrid1->SetEditorMode(false);
    std::vector<qint64> out;
    for (int row = 1; row < TavikPTGrid1->RowCount(); ++row)
        if (Pickable(row)
            && TavikPTGrid1->Cell(PickCol, row)->Value().startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
            out.push_back(items_[size_t(TavikPTGrid1->Rows()->Items(row)->Data() - 1)].id);
    return out;
}

std::optional<std::vector<qint64>> TTreePickForm::Pick(const QString& caption, const QString& title,
                                                       const std::vector<Item>& items)
{
    TTreePickForm dialog(nullptr);
    dialog.SetCaption(caption);
    dialog.SetItems(title, items);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Picked();
}
