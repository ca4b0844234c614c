#include "screens/dialogs/PostPicker.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/dialogs/PickListForm.h"

TPostPickerForm::TPostPickerForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("PostPickerForm"));
    TavikPTGrid1 = Require<TTavikPTGrid>("TavikPTGrid1");
    // The grid has no editing: its texts are a view, only the check cells change.
    TavikPTGrid1->OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState shift) {
        if (key == VK_SPACE && !(shift & (ssCtrl | ssAlt))) {
            Toggle(TavikPTGrid1->CurrentRow());
            key = 0;
        }
    });
    SetActiveControl(TavikPTGrid1);
}

void TPostPickerForm::SetContent(const std::vector<StoreRecord>& units, const std::vector<StoreRecord>& posts,
                                 const std::vector<StoreRecord>& unitPosts)
{
    std::map<qint64, const StoreRecord*> postById, unitById;
    for (const StoreRecord& p : posts)
        postById[p.id] = &p;
    for (const StoreRecord& u : units)
        unitById[u.id] = &u;
    std::map<qint64, std::vector<const StoreRecord*>> children;
    for (const StoreRecord& u : units) {
        const qint64 parent = u.RefOf(Col::UnitParent);
        children[unitById.count(parent) ? parent : 0].push_back(&u);
    }
    for (auto& [parent, list] : children)
        std::stable_sort(list.begin(), list.end(), [](const StoreRecord* a, const StoreRecord* b) {
            return a->values[Col::UnitPosition].toLongLong() < b->values[Col::UnitPosition].toLongLong();
        });
    std::multimap<qint64, qint64> attached; // unit -> post
    for (const StoreRecord& r : unitPosts)
        attached.insert({r.RefOf(Col::UnitPostUnit), r.RefOf(Col::UnitPostPost)});

    struct Line {
        QString name, code;
        int level;
        int pick; // index into picks_, or -1 for a unit
    };
    std::vector<Line> lines;
    picks_.clear();
    std::set<qint64> placed;
    std::function<void(qint64, int)> addUnit = [&](qint64 unit, int level) {
        std::set<qint64> shownPosts;
        for (const StoreRecord* u : children[unit]) {
            if (!placed.insert(u->id).second)
                continue;
            const qint64 post = u->RefOf(Col::UnitPost);
            if (u->values[Col::UnitKind].toInt() == int(UnitKind::Post) && unit && postById.count(post)) {
                // A post unit is held in the unit above it.
                if (shownPosts.insert(post).second) {
                    picks_.push_back({post, unit});
                    lines.push_back({u->values[Col::UnitName].toString(),
                                     postById[post]->values[Col::PostCode].toString(), level, int(picks_.size()) - 1});
                }
                continue;
            }
            lines.push_back({u->values[Col::UnitName].toString(), QString(), level, -1});
            addUnit(u->id, level + 1);
        }
        for (auto [it, end] = attached.equal_range(unit); it != end; ++it)
            if (postById.count(it->second) && shownPosts.insert(it->second).second) {
                const StoreRecord& p = *postById[it->second];
                picks_.push_back({p.id, unit});
                lines.push_back({p.values[Col::PostName].toString(), p.values[Col::PostCode].toString(), level,
                                 int(picks_.size()) - 1});
            }
    };
    addUnit(0, 0);

    TTavikPTGrid& grid = *TavikPTGrid1;
    const int rows = 1 + int(lines.size());
    grid.Synchronise(grid.ColCount(), rows);
    grid.SetRowCount(rows);
    for (size_t n = 0; n < lines.size(); ++n) {
        const int row = 1 + int(n);
        const Line& line = lines[n];
        grid.Rows()->Items(row)->SetData(line.pick + 1);
        grid.Rows()->Items(row)->SetExpand(true);
        grid.Cell(NameCol, row)->SetValue(line.name);
        grid.Cell(CodeCol, row)->SetValue(line.code);
        grid.Cell(LevelCol, row)->SetValue(QString::number(std::min(line.level, 255)));
        if (line.pick >= 0) {
            grid.Cell(CheckCol, row)->SetDataType(cdtBoolean);
            grid.Cell(CheckCol, row)->SetValue(QStringLiteral("F"));
        }
    }
    grid.RowsChanged();
    if (rows > 1)
        grid.MoveCurrent(CheckCol, 1, true, false, false, true);
    grid.Invalidate();
}

void TPostPickerForm::Toggle(int row)
{
    if (row < 1 || row >= TavikPTGrid1->RowCount() || TavikPTGrid1->Rows()->Items(row)->Data() <= 0)
        return;
    TPTCell* cell = TavikPTGrid1->Cell(CheckCol, row);
    cell->SetValue(cell->Value().startsWith(QLatin1Char('T')) ? QStringLiteral("F") : QStringLiteral("T"));
    TavikPTGrid1->Invalidate();
}

std::vector<PostPick> TPostPickerForm::Picked()
{
    std::vector<PostPick> out;
    for (int row = 1; row < TavikPTGrid1->RowCount(); ++row) {
        const int data = TavikPTGrid1->Rows()->Items(row)->Data();
        if (data > 0 && size_t(data) <= picks_.size()
            && TavikPTGrid1->GetCellValue(CheckCol, row).startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
            out.push_back(picks_[size_t(data - 1)]);
    }
    return out;
}

std::optional<std::vector<PostPick>> PickPosts(const std::vector<StoreRecord>& units,
                                               const std::vector<StoreRecord>& posts,
                                               const std::vector<StoreRecord>& unitPosts, const QString& caption)
{
    std::unique_ptr<TPostPickerForm> dialog(new TPostPickerForm(nullptr));
    dialog->SetCaption(caption);
    dialog->SetContent(units, posts, unitPosts);
    if (dialog->ShowModal() != mrOk)
        return std::nullopt;
    return dialog->Picked();
}

std::optional<std::vector<qint64>> PickDictionaryPosts(const std::vector<StoreRecord>& posts, const QString& caption)
{
    std::vector<TPickListForm::Item> items;
    for (const StoreRecord& p : posts)
        items.push_back({p.id, p.values[Col::PostName].toString(), p.values[Col::PostCode].toString()});
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return a.second.compare(b.second, Qt::CaseInsensitive) < 0;
    });
    std::unique_ptr<TPickListForm> dialog(new TPickListForm(nullptr));
    dialog->SetItems(caption, QStringLiteral("岗位名称"), QStringLiteral("岗位编码"), std::move(items));
    if (dialog->ShowModal() != mrOk)
        return std::nullopt;
    return dialog->Picked();
}
