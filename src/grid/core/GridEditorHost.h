#pragma once

// What the in-place editor and the grid's editing steps may ask of the grid
// beyond its public interface: the editor's questions and reports about the
// current cell, and the steps of showing, placing and committing that
// descendants refine.

#include <memory>

#include <QChar>
#include <QString>
#include <QStringList>

#include "grid/layout/EditTypes.h"
#include "platform/base/Types.h"

class TInplaceEdit;

class IGridEditorHost {
public:
    virtual ~IGridEditorHost() = default;

    // --- asked by the editor about the current cell ---
    virtual TEditStyle EditStyle() = 0;
    virtual void EditProperty(TEditProperty& property) = 0;
    // The cell's text, its edit mask and its length limit (-1: cannot be modified).
    virtual QString GetEditText(int col, int row) = 0;
    virtual QString GetEditMask(int col, int row) = 0;
    virtual int GetEditLimit() = 0;
    virtual bool CanEditAcceptKey(QChar key) = 0;
    virtual bool CanEditModify() const = 0;
    virtual void GetDropDownList(QStringList& items, int& rows) = 0;
    virtual void GetTreeViewList(TTreeNodes& nodes) = 0;
    virtual void QueryListStyle(TListBoxStyle& style, int& itemHeight) = 0;
    virtual void EditButtonClick() = 0;
    virtual void InplaceEditChanged(const QString& text) = 0;
    virtual void BeforeListSelected(const QStringList& items, QString& item) = 0;
    virtual void ListSelected(const QString& item) = 0;
    virtual void TreeViewListSelected(TTreeNode* node, QString& text) = 0;
    virtual void TreeNodeDeleted(TTreeNode* node) = 0;

    // --- the steps of the editing itself ---
    virtual void QueryEditorMode(bool& canShow, QChar ch) = 0;
    virtual bool IsCheckCell(int col, int row) = 0;
    virtual bool ToggleCheckCell(int col, int row) = 0;
    virtual bool CanEditShow() = 0;
    virtual std::unique_ptr<TInplaceEdit> CreateEditor() = 0;
    virtual void UpdateEdit() = 0;
    virtual void HideEdit() = 0;
    virtual void EditorModeChanged() = 0;
    virtual int CurrentEditPart(int col, int row) = 0;
    virtual bool GetEditPart(int col, int row, int part, int& fontHeight, TRect& rect, QString& text) = 0;
    virtual void AdjustEditorRect(int col, int row, TRect& out, const TRect& rect) = 0;
    virtual void SetEditText(int col, int row, const QString& value) = 0;
};
