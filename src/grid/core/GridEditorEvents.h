#pragma once

// The events of the grid's in-place editing, raised by the editing collaborator
// with the grid as sender: the editor's style, properties and lists for the
// current cell, its buttons and selections, and the hide query.

#include "grid/layout/EditTypes.h"
#include "platform/base/Object.h"

struct TGridEditorEvents {
    TGridCellEvent OnEditButtonClick;
    TGridQueryEditStyleEvent OnQueryEditStyle;
    TGridGetDropDownListEvent OnGetDropDownList;
    TGridListSelectedEvent OnDropDownListSelected;
    TGridBeforeListSelectedEvent OnBeforeDropDownListSelected;
    TGridQueryEditPropertyEvent OnQueryEditProperty;
    TGridQueryEditHideEvent OnQueryEditHide;
    TNotifyEvent OnEditorModeChanged;
    TGridGetTreeViewListEvent OnGetTreeViewList;
    TGridTreeViewListSelectedEvent OnTreeViewListSelected;
    TGridTreeNodeEvent TreeNodeDeletionHandler;
    TGridInplaceEditChangedEvent OnInplaceEditChanged;
    TGridQueryListStyleEvent OnQueryListStyle;
    TGridMeasureListItemEvent OnMeasureListItem;
    TGridDrawListItemEvent OnDrawListItem;
};
