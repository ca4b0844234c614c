#include "screens/live/LivePosts.h"

#include <algorithm>
#include <map>

#include <QStringList>

#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/live/LiveChecks.h"
#include "store/RightsStore.h"

namespace {

QString Field(const StoreRecord& r, int column)
{
    return r.values[column].toString();
}

} // namespace

LivePosts::LivePosts(TTavikPTGrid& grid) : grid_(grid) {}

void LivePosts::Read(RightsStore& store)
{
    auto all = store.LoadAll();
    posts_ = std::move(all[TableId::Post]);
    users_ = std::move(all[TableId::User]);
    units_ = std::move(all[TableId::OrgUnit]);
    userPosts_ = std::move(all[TableId::UserPost]);
    unitPosts_ = std::move(all[TableId::UnitPost]);
}

void LivePosts::Show()
{
    grid_.SetEditorMode(false);
    deleted_.clear();
    const int rows = 1 + int(posts_.size());
    grid_.Synchronise(grid_.ColCount(), rows);
    grid_.SetRowCount(rows);
    for (size_t i = 0; i < posts_.size(); ++i) {
        const int row = 1 + int(i);
        grid_.Rows()->Items(row)->SetData(int32_t(i + 1));
        grid_.Cell(CodeCol, row)->SetValue(Field(posts_[i], Col::PostCode));
        grid_.Cell(NameCol, row)->SetValue(Field(posts_[i], Col::PostName));
        grid_.Cell(NoteCol, row)->SetValue(Field(posts_[i], Col::PostNote));
    }
    grid_.Invalidate();
}

void LivePosts::EndEdit()
{
    grid_.SetEditorMode(false);
}

const StoreRecord* LivePosts::RecordOf(int row)
{
    const int data = grid_.Rows()->Items(row)->Data();
    return data > 0 && size_t(data) <= posts_.size() ? &posts_[size_t(data - 1)] : nullptr;
}

QString LivePosts::Text(int col, int row)
{
    return grid_.Cell(col, row)->Value().trimmed();
}

QString LivePosts::Problem()
{
    std::map<QString, int> codes;
    for (int row = 1; row < grid_.RowCount(); ++row) {
        const QString code = Text(CodeCol, row);
        QString problems[NoteCol + 1];
        problems[CodeCol] = LiveTextProblem(QStringLiteral("The post code"), code, MaxCodeLength, true);
        if (problems[CodeCol].isEmpty() && codes.count(code))
            problems[CodeCol] = QStringLiteral("The post code “%1” is already used in row %2.").arg(code).arg(codes[code]);
        problems[NameCol] = LiveTextProblem(QStringLiteral("The post name"), Text(NameCol, row), MaxNameLength, true);
        problems[NoteCol] = LiveTextProblem(QStringLiteral("The description"), Text(NoteCol, row), MaxNoteLength, false);
        for (int col = CodeCol; col <= NoteCol; ++col)
            if (!problems[col].isEmpty()) {
                grid_.FocusCell(col, row, true);
                return QStringLiteral("Row %1: %2").arg(row).arg(problems[col]);
            }
        codes[code] = row;
    }
    return {};
}

std::vector<StoreChange> LivePosts::Changes()
{
    // Deletes first, so that a code freed by one may be taken by an insert.
    std::vector<StoreChange> changes;
    for (size_t i : deleted_)
        changes.push_back(StoreChange::Delete(TableId::Post, posts_[i]));
    for (int row = 1; row < grid_.RowCount(); ++row) {
        const QVariantList values{Text(CodeCol, row), Text(NameCol, row), OptionalText(Text(NoteCol, row))};
        const StoreRecord* read = RecordOf(row);
        if (!read) {
            changes.push_back(StoreChange::Insert(TableId::Post, values));
            continue;
        }
        bool same = true;
        for (int c = 0; c < values.size(); ++c)
            same = same && values[c].toString() == read->values[c].toString();
        if (!same)
            changes.push_back(StoreChange::Update(TableId::Post, *read, values));
    }
    return changes;
}

void LivePosts::AddRow()
{
    EndEdit();
    const int row = grid_.RowCount();
    grid_.Synchronise(grid_.ColCount(), row + 1);
    grid_.SetRowCount(row + 1);
    grid_.Rows()->Items(row)->SetData(0);
    for (int col = CodeCol; col <= NoteCol; ++col)
        grid_.Cell(col, row)->SetValue(QString());
    grid_.FocusCell(CodeCol, row, true);
    if (grid_.CanFocus())
        grid_.SetFocus();
}

std::vector<int> LivePosts::SelectedRows()
{
    std::vector<int> rows;
    for (int row = 1; row < grid_.RowCount(); ++row) {
        bool selected = row == grid_.CurrentRow();
        for (int col = 1; col < grid_.ColCount() && !selected; ++col)
            selected = grid_.IsCellSelected(col, row);
        if (selected)
            rows.push_back(row);
    }
    return rows;
}

QString LivePosts::Describe(const std::vector<int>& rows)
{
    QStringList names;
    for (int row : rows) {
        const QString name = Text(NameCol, row);
        names << (name.isEmpty() ? QStringLiteral("(row %1)").arg(row) : name);
    }
    return names.join(QStringLiteral("、"));
}

QString LivePosts::DeleteProblem(const std::vector<int>& rows)
{
    auto nameOf = [](const std::vector<StoreRecord>& records, qint64 id, int column) {
        for (const StoreRecord& r : records)
            if (r.id == id)
                return Field(r, column);
        return QStringLiteral("#%1").arg(id);
    };
    QStringList problems;
    for (int row : rows) {
        const StoreRecord* post = RecordOf(row);
        if (!post)
            continue;
        QStringList users, units;
        for (const StoreRecord& r : userPosts_)
            if (r.values[Col::UserPostPost].toLongLong() == post->id)
                users << nameOf(users_, r.values[Col::UserPostUser].toLongLong(), Col::UserName);
        for (const StoreRecord& r : unitPosts_)
            if (r.values[Col::UnitPostPost].toLongLong() == post->id)
                units << nameOf(units_, r.values[Col::UnitPostUnit].toLongLong(), Col::UnitName);
        for (const StoreRecord& r : units_)
            if (r.values[Col::UnitPost].toLongLong() == post->id)
                units << Field(r, Col::UnitName);
        users.removeDuplicates();
        units.removeDuplicates();
        QStringList uses;
        if (!users.isEmpty())
            uses << QStringLiteral("held by %1").arg(users.join(QStringLiteral("、")));
        if (!units.isEmpty())
            uses << QStringLiteral("attached to %1").arg(units.join(QStringLiteral("、")));
        if (!uses.isEmpty())
            problems << QStringLiteral("The post “%1” is %2.").arg(Field(*post, Col::PostName), uses.join(QStringLiteral(" and ")));
    }
    return problems.join(QLatin1Char('\n'));
}

void LivePosts::DeleteRows(std::vector<int> rows)
{
    EndEdit();
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows) {
        if (const StoreRecord* read = RecordOf(row))
            deleted_.insert(size_t(read - posts_.data()));
        grid_.DeleteRow(row);
    }
}
