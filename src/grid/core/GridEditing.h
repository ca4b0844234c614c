#pragma once

// The grid's in-place editing: EditorMode, showing the editor over the current
// cell, placing it as the view moves, committing its text back and hiding or
// cancelling it, and the core's answers to the editor's questions, which raise
// the grid's editor events.

#include <cstdint>
#include <memory>

#include <QChar>
#include <QString>
#include <QStringList>

#include "grid/layout/EditTypes.h"

class TTavikCustomGrid;
class IGridEditorHost;
class TInplaceEdit;
class TGridEditorFactory;
struct TGridCoreState;

class TGridEditing {
public:
    TGridEditing(TTavikCustomGrid& grid, IGridEditorHost& host, TGridCoreState& state);
    ~TGridEditing();

    // Starts editing the current cell when the queries allow it.
    void Show(QChar ch);
    // Creates, loads and places the editor when it should be shown.
    void Update();
    // Ends editing: EditorMode off, the text written back, the window hidden.
    void Hide();
    // Writes the text back and hides the editor window; EditorMode stays.
    void Commit();
    // Ends editing without writing the text back.
    void Cancel();
    // OnQueryEditHide for the editor's text; a nested query answers false.
    bool CanHide();
    // OnQueryEditHide for a text about to be stored in a cell, guarded like CanHide.
    bool QueryHide(int col, int row, const QString& text);
    // Moves an open editor along with the view.
    void FollowView();
    void PostChar(QChar ch);
    // A cancel-mode request for the editor (closes its drop-down).
    void CancelMode();
    void FontChanged();
    // The editor window while it is shown in EditorMode, else null.
    TInplaceEdit* ShownEditor() const;
    // The editor goes while the grid is still whole.
    void ReleaseEditor();

    // --- the core's answers to the editor, raising the grid's events ---
    bool CanShow() const;
    bool QueryReadOnly(int col, int row);
    void QueryEditorMode(bool& canShow, QChar ch);
    void ModeChanged();
    void TreeNodeDeleted(TTreeNode* node);
    // esCustom when the factory has an editor for the current cell, then OnQueryEditStyle.
    TEditStyle EditStyle();
    void EditProperty(TEditProperty& property);
    void GetDropDownList(QStringList& items, int& rows);
    void GetTreeViewList(TTreeNodes& nodes);
    void QueryListStyle(TListBoxStyle& style, int& itemHeight);
    void EditButtonClick();
    void InplaceEditChanged(const QString& text);
    void BeforeListSelected(const QStringList& items, QString& item);
    void ListSelected(const QString& item);
    void TreeViewListSelected(TTreeNode* node, QString& text);

    // --- a typed edit's check and write-back, for other writers (pasting) ---
    bool CellReadOnly(int col, int row);
    void WriteCellText(int col, int row, const QString& text);

    // --- state ---
    bool Mode() const { return mode_; }
    // The flag alone; showing and hiding go through Show and Hide.
    void PlaceMode(bool on) { mode_ = on; }
    TInplaceEdit* Editor() const { return editor_.get(); }
    TGridEditorFactory& Factory() const { return *factory_; }
    // The cell the editor was loaded for (-1, -1 when none).
    int EditCol() const { return editCol_; }
    int EditRow() const { return editRow_; }
    void PlaceEditCell(int col, int row);
    bool CanModify() const { return canModify_; }
    bool HideQueryActive() const { return hideQueryActive_; }
    // The time of the grid's last left press (GetTickCount), 0 before the first.
    uint32_t LastGridClick() const { return lastGridClick_; }
    void NoteGridClick(uint32_t ticks) { lastGridClick_ = ticks; }
    // While the first composition opens the editor, the focus stays in the grid.
    bool OpeningForComposition() const { return openingForComposition_; }
    bool& OpeningForCompositionFlag() { return openingForComposition_; }

private:
    void LoadCell();
    void Place(bool forceRedraw);

    TTavikCustomGrid& grid_;
    IGridEditorHost& host_;
    TGridCoreState& d_;
    std::unique_ptr<TGridEditorFactory> factory_;
    std::unique_ptr<TInplaceEdit> editor_;
    int editCol_ = -1;
    int editRow_ = -1;
    bool mode_ = false;
    bool canModify_ = true;
    bool hideQueryActive_ = false;
    bool openingForComposition_ = false;
    uint32_t lastGridClick_ = 0;
};
