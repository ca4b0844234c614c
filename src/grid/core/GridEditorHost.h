#pragma once

// What the in-place editor and the grid's editing steps may ask of the grid
// beyond its public interface: the editor's questions and reports about the
// current cell, and the steps of showing, placing and committing that
// descendants refine. The neutral answers are here: most hand over to the
// editing collaborator, which raises the grid's editor events.

#include <memory>

#include <QChar>
#include <QString>
#include <QStringList>

#include "grid/layout/EditTypes.h"
#include "platform/base/Types.h"

class TGridEditing;
class TInplaceEdit;
class TWinControl;

class IGridEditorHost {
public:
    virtual ~IGridEditorHost() = default;
    // The editor, its factory, the edited cell and the editing flags.
    virtual TGridEditing& Editing() const = 0;

    // --- asked by the editor about the current cell ---
    // esCustom when the factory has an editor for the current cell, then OnQueryEditStyle.
    virtual TEditStyle EditStyle();
    virtual void EditProperty(TEditProperty& property);
    // The cell's text, its edit mask and its length limit (-1: cannot be modified).
    virtual QString GetEditText(int col, int row) { return {}; }
    virtual QString GetEditMask(int col, int row) { return {}; }
    virtual int GetEditLimit() { return 0; }
    virtual bool CanEditAcceptKey(QChar key) { return true; }
    virtual bool CanEditModify() const;
    virtual void GetDropDownList(QStringList& items, int& rows);
    virtual void GetTreeViewList(TTreeNodes& nodes);
    virtual void QueryListStyle(TListBoxStyle& style, int& itemHeight);
    virtual void EditButtonClick();
    virtual void InplaceEditChanged(const QString& text);
    virtual void BeforeListSelected(const QStringList& items, QString& item);
    virtual void ListSelected(const QString& item);
    virtual void TreeViewListSelected(TTreeNode* node, QString& text);
    virtual void TreeNodeDeleted(TTreeNode* node);

    // --- the steps of the editing itself ---
    // ReadOnly, then OnQueryEditorMode for the current cell.
    virtual void QueryEditorMode(bool& canShow, QChar ch);
    // Check cells never open the editor: a space or a click (through
    // ShowEditor) toggles them in place instead.
    virtual bool IsCheckCell(int col, int row) { return false; }
    // Flips the check cell's value where the grid lets it; true when stored.
    virtual bool ToggleCheckCell(int col, int row) { return false; }
    // ReadOnly, then OnQueryReadOnly: what a typed edit of the cell is checked against.
    virtual bool QueryReadOnly(int col, int row);
    virtual bool CanEditShow();
    virtual std::unique_ptr<TInplaceEdit> CreateEditor();
    // Creates, loads and places the editor when it should be shown.
    virtual void UpdateEdit();
    // Writes the text back and hides the editor window; EditorMode stays.
    virtual void HideEdit();
    virtual void EditorModeChanged();
    // Hands a typed character on to the editor window.
    virtual void PostCharToEditor(QChar ch);
    // A cancel-mode request for the editor (closes its drop-down).
    virtual void EditorCancelMode();
    // Whether control is the grid's own in-place editor window.
    virtual bool IsEditorWindow(const TWinControl* control) const;
    virtual int CurrentEditPart(int col, int row) { return 0; }
    virtual bool GetEditPart(int col, int row, int part, int& fontHeight, TRect& rect, QString& text);
    // The rectangle for the editor and for OnDrawCell; the core's is the cell's.
    virtual void AdjustEditorRect(int col, int row, TRect& out, const TRect& rect) { out = rect; }
    virtual void SetEditText(int col, int row, const QString& value) {}
};
