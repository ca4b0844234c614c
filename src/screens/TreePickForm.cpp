#include "screens/TreePickForm.h"

#include "grid/TavikPTGrid.h"
#include "platform/Application.h"
#include "platform/Messages.h"

TTreePickForm::TTreePickForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("Button1Click", [this](TObject* s) { Button1Click(s); });
    Build(QStringLiteral("TreePickForm"));
    TavikPTGrid1 = Require<TTavikPTGrid>("TavikPTGrid1");
    TavikPTGrid1->SetPaintSelection(false);
    // Only the boxes change; the names are a view.
    TavikPTGrid1->OnQueryEditorMode = TGridQueryEditorModeEvent([this](TObject*, int col, int row, bool& canShow, QChar) {
        const int i = row >= 1 && row < TavikPTGrid1->RowCount() ? TavikPTGrid1->Rows()->Items(row)->Data() - 1 : -1;
        canShow = canShow && col == PickCol && i >= 0 && size_t(i) < items_.size() && items_[size_t(i)].pickable;
    });
    // The grid claims Enter and Escape for its editor, which no cell here
    // has: they stay the dialog's.
    TavikPTGrid1->OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState shift) {
        if (shift != TShiftState())
            return;
        if (key == VK_RETURN) {
            key = 0;
            Button1Click(TavikPTGrid1);
        } else if (key == VK_ESCAPE) {
            key = 0;
            SetModalResult(mrCancel);
        }
    });
    SetActiveControl(TavikPTGrid1);
}

void TTreePickForm::SetItems(const std::vector<Item>& items)
{
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
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].pickable) {
            grid.FocusCell(PickCol, 1 + int(i), true);
            break;
        }
    grid.InvalidateGrid();
}

std::vector<qint64> TTreePickForm::Picked()
{
    TavikPTGrid1->SetEditorMode(false);
    std::vector<qint64> out;
    for (int row = 1; row < TavikPTGrid1->RowCount(); ++row) {
        const int i = TavikPTGrid1->Rows()->Items(row)->Data() - 1;
        if (i >= 0 && size_t(i) < items_.size() && items_[size_t(i)].pickable
            && TavikPTGrid1->Cell(PickCol, row)->Value().startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
            out.push_back(items_[size_t(i)].id);
    }
    return out;
}

void TTreePickForm::Button1Click(TObject*)
{
    if (Picked().empty()) {
        Application()->MessageBox(QStringLiteral("Tick the boxes of what to choose, or close with 取消."), Caption(),
                                  MB_ICONINFORMATION);
        return;
    }
    SetModalResult(mrOk);
}

std::optional<std::vector<qint64>> TTreePickForm::Pick(const QString& caption, const std::vector<Item>& items)
{
    TTreePickForm dialog(nullptr);
    dialog.SetCaption(caption);
    dialog.SetItems(items);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Picked();
}
