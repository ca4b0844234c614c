#pragma once

// A dialog that picks several records of one kind from a list: each row shows
// two texts and a check cell. Typing in 查找 narrows the list without dropping
// what is ticked; Space ticks the current row, Enter is 确定.

#include <vector>

#include <QString>

#include "screens/ScreenForm.h"

class TEdit;
class TTavikPTGrid;

class TPickListForm : public TScreenForm {
public:
    explicit TPickListForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TPickListForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    struct Item {
        qint64 id = 0;
        QString first, second;
    };
    // Shows the items, none ticked, under the two column titles.
    void SetItems(const QString& caption, const QString& firstHead, const QString& secondHead, std::vector<Item> items);
    // The ids of the ticked items in list order, whether shown or filtered out.
    std::vector<qint64> Picked();
    // Ticks or clears the item in a grid row; rows without item are ignored.
    void Toggle(int row);

    enum { CheckCol = 1, FirstCol, SecondCol };

    TEdit* Edit1 = nullptr;
    TTavikPTGrid* TavikPTGrid1 = nullptr;

private:
    // Takes the ticks shown back into checked_.
    void Harvest();
    void ShowRows();

    std::vector<Item> items_;
    std::vector<bool> checked_;
};
