#pragma once

// Types the grid's in-place editor shares with the grid and its owner: the edit
// styles, the per-cell editor look and the editor events.

#include <QString>
#include <QStringList>

#include "platform/canvas/Canvas.h"
#include "platform/controls/ListBox.h"

class TTreeNode;
class TTreeNodes;

enum TEditStyle : uint8_t {
    esSimple,
    esEllipsis,
    esDropDown,
    esDropDownList,
    esEllipsisReadOnly,
    esMonthCalendar,
    esColorList,
    esTreeView,
    esDropDownWindow,
    esUpDown,
    esCustom
};

// Styles whose text is chosen, not typed.
inline bool IsReadOnlyEditStyle(TEditStyle s)
{
    return s == esDropDownList || s == esEllipsisReadOnly || s == esColorList || s == esDropDownWindow;
}
// Styles whose drop-down keys (Enter, Esc, Alt+Up/Down) the editor handles.
inline bool IsDropDownKeyStyle(TEditStyle s)
{
    return s == esDropDown || s == esDropDownList || s == esMonthCalendar || s == esColorList || s == esCustom;
}

struct TEditProperty {
    TColor FontColor = clWindowText;
    TColor Color = clWindow;
    QString FontName;
    int FontSize = 9;
    TFontStyles FontStyle = 0;
};

using TGridQueryEditHideEvent = TEvent<TObject*, int, int, const QString&, bool&>;
using TGridQueryEditStyleEvent = TEvent<TObject*, int, int, TEditStyle&>;
using TGridQueryEditPropertyEvent = TEvent<TObject*, int, int, TEditProperty&>;
using TGridCellEvent = TEvent<TObject*, int, int>;
using TGridGetDropDownListEvent = TEvent<TObject*, int, int, QStringList&, int&>;
using TGridBeforeListSelectedEvent = TEvent<TObject*, int, int, const QStringList&, QString&>;
using TGridListSelectedEvent = TEvent<TObject*, int, int, const QString&>;
using TGridQueryListStyleEvent = TEvent<TObject*, int, int, TListBoxStyle&, int&>;
using TGridMeasureListItemEvent = TEvent<TObject*, TCanvas&, int, int, int, int&>;
using TGridDrawListItemEvent = TEvent<TObject*, TCanvas&, int, int, int, const TRect&, TOwnerDrawState>;
using TGridGetTreeViewListEvent = TEvent<TObject*, int, int, TTreeNodes&>;
using TGridTreeViewListSelectedEvent = TEvent<TObject*, int, int, TTreeNode*, QString&>;
using TGridTreeNodeEvent = TEvent<TObject*, TTreeNode*>;
using TGridInplaceEditChangedEvent = TEvent<TObject*, int, int, const QString&>;
