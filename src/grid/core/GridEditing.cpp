// The grid's side of in-place editing: EditorMode, showing, placing,
// committing and cancelling the editor, and the editor's queries.

#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/base/FlagScope.h"
#include "platform/controls/TreeView.h"

void TTavikCustomGrid::FontChanged()
{
    TCustomControl::FontChanged();
    if (inplaceEditor_)
        inplaceEditor_->SetFont(Font());
}

std::unique_ptr<TInplaceEdit> TTavikCustomGrid::CreateEditor()
{
    return std::make_unique<TInplaceEdit>(nullptr);
}

bool TTavikCustomGrid::CanEditShow()
{
    return HasOption(goEditing) && !HasOption(goRowSelect) && editorMode_ && !IsDestroying() && HasWindow() &&
           (HasOption(goAlwaysShowEditor) || IsActiveControl());
}

void TTavikCustomGrid::ShowEditor(QChar ch)
{
    bool canShow = true;
    QueryEditorMode(canShow, ch);
    if (canShow && IsCheckCell(current_.X, current_.Y)) {
        // A key move's own space is not a toggle.
        if (ch == QChar(u' ') && !keyMoveActive_)
            ToggleCheckCell(current_.X, current_.Y);
        canShow = false;
    }
    // The current cell alone becomes the selection.
    const TGridRect cell{current_.X, current_.Y, current_.X, current_.Y};
    const TGridRect widened = WidenToMergedAreas(cell);
    const bool alone = selections_->Count() == 1 && selections_->Last()->GetRange() == widened;
    if (!alone) {
        RepaintSelection();
        anchor_ = current_;
        selections_->SetRange(widened, true);
        RepaintSelection();
    }
    if (!canShow || !HasOption(goEditing))
        return;
    const bool changed = !editorMode_;
    editorMode_ = true;
    UpdateEdit();
    if (inplaceEditor_ && inplaceEditor_->EditStyle() == esUpDown && inplaceEditor_->Visible())
        inplaceEditor_->PlaceUpDown();
    if (changed)
        EditorModeChanged();
    switch (mouseState_) {
    case gmsSelecting:
    case gmsColSelecting:
    case gmsRowSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving:
        mouseState_ = gmsNone;
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
    if (!inplaceEditor_) {
        inplaceEditor_ = CreateEditor();
        inplaceEditor_->SetGrid(this);
        LoadEditorCell();
    } else if (editCol_ != current_.X || editRow_ != current_.Y) {
        HideEdit();
        LoadEditorCell();
    }
    PlaceEditor(true);
}

void TTavikCustomGrid::LoadEditorCell()
{
    editCol_ = current_.X;
    editRow_ = current_.Y;
    inplaceEditor_->UpdateContents();
    canEditModify_ = inplaceEditor_->EditLimit() != -1;
    if (inplaceEditor_->EditStyle() != esColorList)
        inplaceEditor_->SelectAll();
}

void TTavikCustomGrid::PlaceEditor(bool forceRedraw)
{
    TInplaceEdit* editor = inplaceEditor_.get();
    const int col = current_.X;
    const int row = current_.Y;
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
    if (editorMode_ && inplaceEditor_ && editCol_ == current_.X && editRow_ == current_.Y &&
        inplaceEditor_->Visible())
        PlaceEditor(false);
}

void TTavikCustomGrid::HideEditor()
{
    const bool changed = editorMode_;
    editorMode_ = false;
    HideEdit();
    if (changed)
        EditorModeChanged();
}

void TTavikCustomGrid::HideEdit()
{
    if (!inplaceEditor_)
        return;
    const int col = editCol_;
    const int row = editRow_;
    const QString value = inplaceEditor_->EditValue();
    editCol_ = editRow_ = -1;
    inplaceEditor_->HideWindow();
    // Only the cell the editor was loaded for is written.
    if (col != -1 && row != -1)
        SetEditText(col, row, value);
}

void TTavikCustomGrid::CancelEditor()
{
    const bool changed = editorMode_;
    editorMode_ = false;
    if (inplaceEditor_) {
        editCol_ = editRow_ = -1;
        inplaceEditor_->HideWindow();
    }
    if (changed)
        EditorModeChanged();
}

bool TTavikCustomGrid::CanHideEditor()
{
    const QString text = editorMode_ && inplaceEditor_ ? inplaceEditor_->Text() : QString();
    return QueryEditHide(current_.X, current_.Y, text);
}

bool TTavikCustomGrid::QueryEditHide(int col, int row, const QString& text)
{
    if (hideQueryActive_)
        return false;
    const TFlagScope guard(hideQueryActive_);
    bool canHide = true;
    OnQueryEditHide(this, col, row, text, canHide);
    return canHide;
}

void TTavikCustomGrid::PostCharToEditor(QChar ch)
{
    if (editorMode_ && inplaceEditor_ && inplaceEditor_->Visible())
        inplaceEditor_->SendChar(ch);
}

void TTavikCustomGrid::EditorCancelMode()
{
    if (inplaceEditor_)
        inplaceEditor_->CancelMode(false);
}

bool TTavikCustomGrid::IsEditorWindow(const TWinControl* control) const
{
    return control && control == inplaceEditor_.get();
}

TEditStyle TTavikCustomGrid::EditStyle()
{
    TEditStyle style = editorFactory_->GetEditor(current_.X, current_.Y) ? esCustom : esSimple;
    OnQueryEditStyle(this, current_.X, current_.Y, style);
    // An esCustom cell needs a factory editor; without one it is edited as plain text.
    if (style == esCustom && !editorFactory_->GetEditor(current_.X, current_.Y))
        style = esSimple;
    if (style > esCustom)
        style = esSimple;
    return style;
}

void TTavikCustomGrid::EditProperty(TEditProperty& property)
{
    property.Color = HasEditParts(current_.X, current_.Y) ? clInfoBk : clWindow;
    property.FontColor = Font().Color();
    property.FontName = Font().Name();
    property.FontSize = Font().Size();
    property.FontStyle = Font().Style();
    OnQueryEditProperty(this, current_.X, current_.Y, property);
}

void TTavikCustomGrid::GetDropDownList(QStringList& items, int& rows)
{
    items.clear();
    OnGetDropDownList(this, current_.X, current_.Y, items, rows);
}

void TTavikCustomGrid::GetTreeViewList(TTreeNodes& nodes)
{
    nodes.Clear();
    OnGetTreeViewList(this, current_.X, current_.Y, nodes);
}

void TTavikCustomGrid::BeforeListSelected(const QStringList& items, QString& item)
{
    OnBeforeDropDownListSelected(this, current_.X, current_.Y, items, item);
}

void TTavikCustomGrid::TreeViewListSelected(TTreeNode* node, QString& text)
{
    OnTreeViewListSelected(this, current_.X, current_.Y, node, text);
}

void TTavikCustomGrid::QueryListStyle(TListBoxStyle& style, int& itemHeight)
{
    OnQueryListStyle(this, current_.X, current_.Y, style, itemHeight);
}
