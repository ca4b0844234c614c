// The grid's side of in-place editing: EditorMode, showing, placing,
// committing and cancelling the editor, and the editor's queries.

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/InplaceEdit.h"
#include "platform/base/FlagScope.h"
#include "platform/controls/TreeView.h"

void TTavikCustomGrid::FontChanged()
{
    TCustomControl::FontChanged();
    if (d_->inplaceEditor)
        d_->inplaceEditor->SetFont(Font());
}

std::unique_ptr<TInplaceEdit> TTavikCustomGrid::CreateEditor()
{
    return std::make_unique<TInplaceEdit>(nullptr);
}

bool TTavikCustomGrid::CanEditShow()
{
    return HasOption(goEditing) && !HasOption(goRowSelect) && d_->editorMode && !IsDestroying() && HasWindow() &&
           (HasOption(goAlwaysShowEditor) || IsActiveControl());
}

void TTavikCustomGrid::ShowEditor(QChar ch)
{
    bool canShow = true;
    QueryEditorMode(canShow, ch);
    if (canShow && IsCheckCell(d_->current.X, d_->current.Y)) {
        // A key move's own space is not a toggle.
        if (ch == QChar(u' ') && !d_->keyMoveActive)
            ToggleCheckCell(d_->current.X, d_->current.Y);
        canShow = false;
    }
    // The current cell alone becomes the selection.
    const TGridRect cell{d_->current.X, d_->current.Y, d_->current.X, d_->current.Y};
    const TGridRect widened = WidenToMergedAreas(cell);
    const bool alone = d_->selections->Count() == 1 && d_->selections->Last()->GetRange() == widened;
    if (!alone) {
        RepaintSelection();
        d_->anchor = d_->current;
        d_->selections->SetRange(widened, true);
        RepaintSelection();
    }
    if (!canShow || !HasOption(goEditing))
        return;
    const bool changed = !d_->editorMode;
    d_->editorMode = true;
    UpdateEdit();
    if (d_->inplaceEditor && d_->inplaceEditor->EditStyle() == esUpDown && d_->inplaceEditor->Visible())
        d_->inplaceEditor->PlaceUpDown();
    if (changed)
        EditorModeChanged();
    switch (d_->mouseState) {
    case gmsSelecting:
    case gmsColSelecting:
    case gmsRowSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving:
        d_->mouseState = gmsNone;
        KillTimer(AutoScrollTimer);
        break;
    default:
        break;
    }
}

void TTavikCustomGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    if (!d_->inplaceEditor) {
        d_->inplaceEditor = CreateEditor();
        d_->inplaceEditor->SetGrid(this);
        LoadEditorCell();
    } else if (d_->editCol != d_->current.X || d_->editRow != d_->current.Y) {
        HideEdit();
        LoadEditorCell();
    }
    PlaceEditor(true);
}

void TTavikCustomGrid::LoadEditorCell()
{
    d_->editCol = d_->current.X;
    d_->editRow = d_->current.Y;
    d_->inplaceEditor->UpdateContents();
    d_->canEditModify = d_->inplaceEditor->EditLimit() != -1;
    if (d_->inplaceEditor->EditStyle() != esColorList)
        d_->inplaceEditor->SelectAll();
}

void TTavikCustomGrid::PlaceEditor(bool forceRedraw)
{
    TInplaceEdit* editor = d_->inplaceEditor.get();
    const int col = d_->current.X;
    const int row = d_->current.Y;
    if (HasEditParts(col, row)) {
        int fontHeight = 0;
        TRect rect;
        QString text;
        if (GetEditPart(col, row, CurrentEditPart(col, row), fontHeight, rect, text)) {
            if (std::abs(fontHeight) > std::abs(editor->Font().Height()))
                editor->Font().SetHeight(fontHeight);
            TCanvas canvas;
            canvas.Font().Assign(&editor->Font());
            const int width = canvas.TextWidth(editor->Text() + QStringLiteral("X"));
            const int height = std::max(canvas.TextHeight(QStringLiteral("Tg")), 14);
            editor->Move({rect.Left, rect.Top, rect.Left + width, rect.Top + height}, forceRedraw);
            return;
        }
    }
    TRect bounds;
    AdjustEditorRect(col, row, bounds, CellBounds(col, row));
    if (col == 0)
        ++bounds.Left;
    if (row == 0)
        ++bounds.Top;
    editor->Move(bounds, forceRedraw);
}

void TTavikCustomGrid::TopLeftChanged()
{
    if (d_->editorMode && d_->inplaceEditor && d_->editCol == d_->current.X && d_->editRow == d_->current.Y &&
        d_->inplaceEditor->Visible())
        PlaceEditor(false);
}

void TTavikCustomGrid::HideEditor()
{
    const bool changed = d_->editorMode;
    d_->editorMode = false;
    HideEdit();
    if (changed)
        EditorModeChanged();
}

void TTavikCustomGrid::HideEdit()
{
    if (!d_->inplaceEditor)
        return;
    const int col = d_->editCol;
    const int row = d_->editRow;
    const QString value = d_->inplaceEditor->EditValue();
    d_->editCol = d_->editRow = -1;
    d_->inplaceEditor->HideWindow();
    // Only the cell the editor was loaded for is written.
    if (col != -1 && row != -1)
        SetEditText(col, row, value);
}

void TTavikCustomGrid::CancelEditor()
{
    const bool changed = d_->editorMode;
    d_->editorMode = false;
    if (d_->inplaceEditor) {
        d_->editCol = d_->editRow = -1;
        d_->inplaceEditor->HideWindow();
    }
    if (changed)
        EditorModeChanged();
}

bool TTavikCustomGrid::CanHideEditor()
{
    const QString text = d_->editorMode && d_->inplaceEditor ? d_->inplaceEditor->Text() : QString();
    return QueryEditHide(d_->current.X, d_->current.Y, text);
}

bool TTavikCustomGrid::QueryEditHide(int col, int row, const QString& text)
{
    if (d_->hideQueryActive)
        return false;
    const TFlagScope guard(d_->hideQueryActive);
    bool canHide = true;
    OnQueryEditHide(this, col, row, text, canHide);
    return canHide;
}

void TTavikCustomGrid::PostCharToEditor(QChar ch)
{
    if (d_->editorMode && d_->inplaceEditor && d_->inplaceEditor->Visible())
        d_->inplaceEditor->SendChar(ch);
}

void TTavikCustomGrid::EditorCancelMode()
{
    if (d_->inplaceEditor)
        d_->inplaceEditor->CancelMode(false);
}

bool TTavikCustomGrid::IsEditorWindow(const TWinControl* control) const
{
    return control && control == d_->inplaceEditor.get();
}

TEditStyle TTavikCustomGrid::EditStyle()
{
    TEditStyle style = d_->editorFactory->GetEditor(d_->current.X, d_->current.Y) ? esCustom : esSimple;
    OnQueryEditStyle(this, d_->current.X, d_->current.Y, style);
    // An esCustom cell needs a factory editor; without one it is edited as plain text.
    if (style == esCustom && !d_->editorFactory->GetEditor(d_->current.X, d_->current.Y))
        style = esSimple;
    if (style > esCustom)
        style = esSimple;
    return style;
}

void TTavikCustomGrid::EditProperty(TEditProperty& property)
{
    property.Color = HasEditParts(d_->current.X, d_->current.Y) ? clInfoBk : clWindow;
    property.FontColor = Font().Color();
    property.FontName = Font().Name();
    property.FontSize = Font().Size();
    property.FontStyle = Font().Style();
    OnQueryEditProperty(this, d_->current.X, d_->current.Y, property);
}

void TTavikCustomGrid::GetDropDownList(QStringList& items, int& rows)
{
    items.clear();
    OnGetDropDownList(this, d_->current.X, d_->current.Y, items, rows);
}

void TTavikCustomGrid::GetTreeViewList(TTreeNodes& nodes)
{
    nodes.Clear();
    OnGetTreeViewList(this, d_->current.X, d_->current.Y, nodes);
}

void TTavikCustomGrid::BeforeListSelected(const QStringList& items, QString& item)
{
    OnBeforeDropDownListSelected(this, d_->current.X, d_->current.Y, items, item);
}

void TTavikCustomGrid::TreeViewListSelected(TTreeNode* node, QString& text)
{
    OnTreeViewListSelected(this, d_->current.X, d_->current.Y, node, text);
}

void TTavikCustomGrid::QueryListStyle(TListBoxStyle& style, int& itemHeight)
{
    OnQueryListStyle(this, d_->current.X, d_->current.Y, style, itemHeight);
}
