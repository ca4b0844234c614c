#pragma once

// The rights screen's working copy of the store: the records it read and,
// beside them, what the screen made of them. Every holder's changes live here
// at once, so that choosing another unit in the tree loses nothing; a save
// turns the difference into store changes. No controls: the pages read and
// write it.

#include <map>
#include <vector>

#include "store/StoreRecord.h"

class RightsWork {
public:
    struct Row {
        int record = -1; // index into the records read, -1 for a row added here
        QVariantList values;
        bool deleted = false;
    };

    // Takes a snapshot as LoadAll gives it; the working rows start equal to it.
    void Read(std::map<TableId, std::vector<StoreRecord>> all);
    // Drops every change: the working rows become the records read.
    void Reset();

    const std::vector<StoreRecord>& Records(TableId table) const;
    const StoreRecord* Record(TableId table, qint64 id) const;
    std::vector<Row>& Rows(TableId table) { return work_[table]; }
    const std::vector<Row>& Rows(TableId table) const;

    // The live rows whose column col names id, in the order read or added.
    std::vector<size_t> RowsWhere(TableId table, int col, qint64 id) const;
    // The live row whose columns a and b name ida and idb, or -1.
    int RowWith(TableId table, int a, qint64 ida, int b, qint64 idb) const;
    size_t Add(TableId table, QVariantList values);
    // A row added here goes at once; a stored one is deleted by the save.
    void Remove(TableId table, size_t row);

    // Deletions first (a key may be taken again in the same save), then
    // updates, then insertions.
    std::vector<StoreChange> Changes() const;

    // A reference column's id, 0 for none.
    static qint64 RefOf(const QVariantList& values, int col);
    static bool Same(const QVariant& a, const QVariant& b);

    // Records of a tree table (units, functions) in tree order, children by
    // position, with their levels; a broken chain (a cycle) is cut.
    struct TreeEntry {
        const StoreRecord* record;
        int level;
    };
    std::vector<TreeEntry> TreeOrder(TableId table, int parentCol, int positionCol) const;
    // A label column's text, empty for an unknown record.
    QString Text(TableId table, qint64 id, int col) const;
    // A unit's name as grids and messages show it: "7.全资子公司" is
    // "全资子公司", the number only orders the tree.
    QString UnitName(qint64 unit) const;
    // "董事会\总经理办公室\…": the units above unit (and unit itself when
    // asked), without their order numbers, the top one left out as on the
    // designed screens.
    QString UnitPath(qint64 unit, bool withUnit) const;

    // The units above unit, the nearest first; a cycle ends the chain.
    std::vector<qint64> Ancestors(qint64 unit) const;

    // The tables the rights screen reads and writes.
    static const std::vector<TableId>& Written();

private:
    std::map<TableId, std::vector<StoreRecord>> read_;
    std::map<TableId, std::vector<Row>> work_;
};
