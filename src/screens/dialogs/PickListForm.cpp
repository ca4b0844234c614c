#include "screens/dialogs/PickListForm.h"

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/edit/Edit.h"

namespace {

bool Ticked(const QString& value)
{
    return value.startsWith(QLatin1Char('T'), Qt::CaseInsensitive);
}

} // namespace

TPickListForm::TPickListForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("PickListForm"));
    Edit1 = Require<TEdit>("Edit1");
    TavikPTGrid1 = Require<TTavikPTGrid>("TavikPTGrid1");
    Edit1->OnChange = TNotifyEvent([this](TObject*) {
        Harvest();
        ShowRows();
    });
    // The grid has no editing: its texts are a view, only the check cells change.
    TavikPTGrid1->OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState shift) {
        if (key == VK_SPACE && !(shift & (ssCtrl | ssAlt))) {
            Toggle(TavikPTGrid1->CurrentRow());
            key = 0;
        }
    });
    SetActiveControl(TavikPTGrid1);
}

void TPickListForm::SetItems(const QString& caption, const QString& firstHead, const QString& secondHead,
                             std::vector<Item> items)
{
    SetCaption(caption);
    TavikPTGrid1->Cell(FirstCol, 0)->SetValue(firstHead);
    TavikPTGrid1->Cell(SecondCol, 0)->SetValue(secondHead);
    items_ = std::move(items);
    checked_.assign(items_.size(), false);
    ShowRows();
}

void TPickListForm::Harvest()
{
    for (int row = 1; row < TavikPTGrid1->RowCount(); ++row) {
        const int data = TavikPTGrid1->Rows()->Items(row)->Data();
        if (data > 0 && size_t(data) <= items_.size())
            checked_[size_t(data - 1)] = Ticked(TavikPTGrid1->GetCellValue(CheckCol, row));
    }
}

void TPickListForm::ShowRows()
{
    const QString filter = Edit1->Text().trimmed();
    std::vector<size_t> shown;
    for (size_t i = 0; i < items_.size(); ++i)
        if (filter.isEmpty() || items_[i].first.contains(filter, Qt::CaseInsensitive)
            || items_[i].second.contains(filter, Qt::CaseInsensitive))
            shown.push_back(i);
    TTavikPTGrid& grid = *TavikPTGrid1;
    const int rows = 1 + int(shown.size());
    grid.Synchronise(grid.ColCount(), rows);
    grid.SetRowCount(rows);
    for (size_t n = 0; n < shown.size(); ++n) {
        const int row = 1 + int(n);
        const Item& item = items_[shown[n]];
        grid.Rows()->Items(row)->SetData(int32_t(shown[n] + 1));
        grid.Cell(CheckCol, row)->SetDataType(cdtBoolean);
        grid.Cell(CheckCol, row)->SetValue(checked_[shown[n]] ? QStringLiteral("T") : QStringLiteral("F"));
        grid.Cell(FirstCol, row)->SetValue(item.first);
        grid.Cell(SecondCol, row)->SetValue(item.second);
    }
    if (rows > 1 && grid.CurrentRow() < 1)
        grid.MoveCurrent(CheckCol, 1, true, false, false, true);
    grid.Invalidate();
}

void TPickListForm::Toggle(int row)
{
    if (row < 1 || row >= TavikPTGrid1->RowCount() || TavikPTGrid1->Rows()->Items(row)->Data() <= 0)
        return;
    TPTCell* cell = TavikPTGrid1->Cell(CheckCol, row);
    cell->SetValue(Ticked(cell->Value()) ? QStringLiteral("F") : QStringLiteral("T"));
    TavikPTGrid1->Invalidate();
}

std::vector<qint64> TPickListForm::Picked()
{
    Harvest();
    std::vector<qint64> ids;
    for (size_t i = 0; i < items_.size(); ++i)
        if (checked_[i])
            ids.push_back(items_[i].id);
    return ids;
}
