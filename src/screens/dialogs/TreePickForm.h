#pragma once

// A dialog that offers the records of a tree (system functions, organisation
// units, resources) with a check cell on each row that may be chosen; several
// are chosen at once. Space ticks the current row's box, Enter is 确定 and
// Escape 取消.

#include <optional>
#include <vector>

#include "screens/ScreenForm.h"

class TTavikPTGrid;

class TTreePickForm : public TScreenForm {
public:
    struct Item {
        qint64 id = 0;
        int level = 0; // rows follow in tree order
        QString name, code;
        bool pickable = true;
    };

    explicit TTreePickForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TTreePickForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    // title heads the list ("系统功能").
    void SetItems(const QString& title, const std::vector<Item>& items);
    // The ids of the ticked rows, in tree order.
    std::vector<qint64> Picked();

    // Shows the dialog with the items; the ticked ids, or none when cancelled.
    static std::optional<std::vector<qint64>> Pick(const QString& caption, const QString& title,
                                                   const std::vector<Item>& items);

    enum { NameCol = 1, PickCol, CodeCol, LevelCol };

    TTavikPTGrid* TavikPTGrid1 = nullptr;

private:
    bool Pickable(int row) const;

    std::vector<Item> items_;
};
