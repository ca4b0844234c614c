#pragma once

// What a self-painted control tells assistive technology, in plain types; the
// bridge (AccessibleBridge.h) turns it into the window system's accessibility
// objects. The parts a control paints without windows of their own (cells,
// nodes, tabs) are items named by keys that the source chooses; key 0 is the
// control itself. A key stays meaningful only while IsValid says so: the
// bridge asks before every use, so a source never sees a stale key.

#include <cstdint>
#include <vector>

#include <QString>

#include "platform/base/Types.h"

class TControl;

enum TAccRole : uint8_t {
    arClient,
    arFrame,
    arDialog,
    arTable,
    arCell,
    arColumnHeader,
    arRowHeader,
    arCheckBox,
    arRadioButton,
    arTree,
    arTreeItem,
    arPageTabList,
    arPageTab,
    arPropertyPage,
    arToolBar,
    arPushButton,
    arSeparator,
    arGrouping,
    arLink,
    arStaticText,
    arPane,
};

enum TAccState : uint32_t {
    asFocusable = 1u << 0,
    asFocused = 1u << 1,
    asSelectable = 1u << 2,
    asSelected = 1u << 3,
    asCheckable = 1u << 4,
    asChecked = 1u << 5,
    asMixed = 1u << 6,
    asExpandable = 1u << 7,
    asExpanded = 1u << 8,
    asCollapsed = 1u << 9,
    asPressed = 1u << 10,
    asDisabled = 1u << 11,
    asInvisible = 1u << 12,
    asEditable = 1u << 13,
    asReadOnly = 1u << 14,
    asMultiSelectable = 1u << 15,
};
using TAccStates = uint32_t;

enum TAccAction : uint8_t { aaPress, aaToggle, aaExpand, aaCollapse, aaRename };

using TAccItem = int64_t;

// Where a cell lies in its table; a merged cell spans more than one.
struct TAccCellPlace {
    int Row = -1;
    int Col = -1;
    int RowSpan = 1;
    int ColSpan = 1;
};

class TAccessibleSource {
public:
    explicit TAccessibleSource(TControl& control) : control_(control) {}
    virtual ~TAccessibleSource() = default;
    TAccessibleSource(const TAccessibleSource&) = delete;
    TAccessibleSource& operator=(const TAccessibleSource&) = delete;

    TControl& Control() const { return control_; }

    // ---- The tree of items below the control (key 0) ------------------------
    virtual bool IsValid(TAccItem item) const { return item == 0; }
    virtual int ChildCount(TAccItem parent) const { return 0; }
    // 0 when there is no such child.
    virtual TAccItem Child(TAccItem parent, int index) const { return 0; }
    virtual TAccItem ParentOf(TAccItem item) const { return 0; }
    virtual int IndexOf(TAccItem item) const { return -1; }
    // Whether the control's child windows follow its items as further children.
    virtual bool WindowChildren() const { return true; }
    // A child control whose window is the item's last child (a page tab holds
    // its page), and the other way round: the item that holds a child control.
    virtual TControl* ItemWindow(TAccItem item) const { return nullptr; }
    virtual TAccItem ItemHolding(const TControl& child) const { return 0; }
    // The item under a point of the client area (0: the control).
    virtual TAccItem ItemAt(int x, int y) const { return 0; }
    // The item that has the focus while the control has it (0: the control).
    virtual TAccItem FocusedItem() const { return 0; }

    // ---- What an item is ------------------------------------------------------
    virtual TAccRole Role(TAccItem item) const = 0;
    // What a sighted user reads, accelerator markers removed.
    virtual QString Name(TAccItem item) const { return {}; }
    virtual QString Description(TAccItem item) const { return {}; }
    // "Alt+U", "Ctrl+S", or empty.
    virtual QString Shortcut(TAccItem item) const { return {}; }
    // For the control, added to what its window reports (focus, enabled, shown).
    virtual TAccStates States(TAccItem item) const { return 0; }
    // In client coordinates.
    virtual TRect Bounds(TAccItem item) const;
    // Depth in a tree, 0 at the top.
    virtual int Level(TAccItem item) const { return 0; }
    virtual std::vector<TAccAction> Actions(TAccItem item) const { return {}; }
    virtual bool DoAction(TAccItem item, TAccAction action) { return false; }
    // The in-place editor that edits the item now, or nullptr.
    virtual TControl* Editor(TAccItem item) const { return nullptr; }

    // ---- Tables (Role(0) == arTable) -------------------------------------------
    virtual int RowCount() const { return 0; }
    virtual int ColumnCount() const { return 0; }
    // Heading rows at the top and heading columns at the left.
    virtual int HeaderRowCount() const { return 0; }
    virtual int HeaderColumnCount() const { return 0; }
    // The cell covering (row, col): a merged cell for every place it covers.
    virtual TAccItem CellAt(int row, int col) const { return 0; }
    virtual TAccCellPlace PlaceOf(TAccItem item) const { return {}; }
    // At most limit selected cells, in row order.
    virtual std::vector<TAccItem> SelectedCells(int limit) const { return {}; }

private:
    TControl& control_;
};

// The name a caption gives: its text as shown, without accelerator markers.
QString AccessibleName(const QString& caption);
// The caption's accelerator as a shortcut ("Alt+U"), or empty.
QString AccessibleShortcut(const QString& caption);
