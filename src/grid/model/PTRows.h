#pragma once

// The PT grid's content: its rows in grid row order.

#include <memory>
#include <optional>

#include "grid/model/PTRow.h"
#include "platform/base/Collection.h"
#include "platform/canvas/text/Font.h"

class IPTGridOwner;

class TPTRows : public TCollection {
public:
    explicit TPTRows(IPTGridOwner* grid);
    ~TPTRows() override;

    const char* ClassName() const override { return "TPTRows"; }
    const char* ItemClassName() const override { return "TPTRow"; }

    IPTGridOwner* Grid() const { return grid_; }

    TPTRow* Add() { return static_cast<TPTRow*>(TCollection::Add()); }
    TPTRow* Insert(int index) { return static_cast<TPTRow*>(TCollection::Insert(index)); }
    TPTRow* Items(int index) const { return static_cast<TPTRow*>(TCollection::Items(index)); }

    // The grid calls these after its own font or colour changed: cells that
    // follow the grid take the new font or colour.
    void FollowGridFont();
    void FollowGridColor();

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override;
    void Update(TCollectionItem* item) override;

private:
    friend class TPTCell;
    // Cells that follow the grid and were never given a font object of their
    // own all show this one font.
    const TFont& SharedFont();
    // Whether a new cell whose font is gridFont can show the shared font.
    bool JoinSharedFont(const TFont& gridFont);
    void LeaveSharedFont() { --sharedUsers_; }
    // Cells that follow the grid and were never given a colour of their own all
    // show this one colour: the grid's, as of the last time the cells followed it.
    TColor SharedColor();

    IPTGridOwner* grid_;
    std::unique_ptr<TFont> sharedFont_;
    int sharedUsers_ = 0;
    std::optional<TColor> sharedColor_;
};
