#include "grid/core/GridEditing.h"

#include <cstdlib>

#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/InplaceEdit.h"
#include "platform/base/FlagScope.h"
#include "platform/controls/TreeView.h"

TGridEditing::TGridEditing(TTavikCustomGrid& grid, IGridEditorHost& host, TGridCoreState& state)
    : grid_(grid), host_(host), d_(state), factory_(std::make_unique<TGridEditorFactory>(&grid))
{
}

TGridEditing::~TGridEditing() = default;

void TGridEditing::ReleaseEditor()
{
    editor_.reset();
}

void TGridEditing::FontChanged()
{
    if (editor_)
        editor_->SetFont(grid_.Font());
}

void TGridEditing::Show(QChar ch)
{
    const TGridCoord current = grid_.Current();
    bool canShow = true;
    host_.QueryEditorMode(canShow, ch);
    if (canShow && host_.IsCheckCell(current.X, current.Y)) {
        // A key move's own space is not a toggle.
        if (ch == QChar(u' ') && !d_.keyMoveActive)
            host_.ToggleCheckCell(current.X, current.Y);
        canShow = false;
    }
    // The current cell alone becomes the selection.
    TSelections& selections = grid_.Selections();
    const TGridRect cell{current.X, current.Y, current.X, current.Y};
    const TGridRect widened = static_cast<ISelectionHost&>(grid_).WidenToMergedAreas(cell);
    const bool alone = selections.Count() == 1 && selections.Last()->GetRange() == widened;
    if (!alone) {
        selections.RepaintSelection();
        grid_.SetAnchor(grid_.Current());
        selections.SetRange(widened, true);
        selections.RepaintSelection();
    }
    if (!canShow || !grid_.HasOption(goEditing))
        return;
    const bool changed = !mode_;
    mode_ = true;
    host_.UpdateEdit();
    if (editor_ && editor_->EditStyle() == esUpDown && editor_->Visible())
        editor_->PlaceUpDown();
    if (changed)
        host_.EditorModeChanged();
    switch (grid_.MouseState()) {
    case gmsSelecting:
    case gmsColSelecting:
    case gmsRowSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving:
        d_.mouseState = gmsNone;
        grid_.KillTimer(TGridPointer::AutoScrollTimer);
        break;
    default:
        break;
    }
}

void TGridEditing::Update()
{
    if (!host_.CanEditShow())
        return;
    const TGridCoord current = grid_.Current();
    if (!editor_) {
        editor_ = host_.CreateEditor();
        editor_->SetGrid(&grid_, &host_);
        LoadCell();
    } else if (editCol_ != current.X || editRow_ != current.Y) {
        host_.HideEdit();
        LoadCell();
    }
    Place(true);
}

void TGridEditing::LoadCell()
{
    editCol_ = grid_.Current().X;
    editRow_ = grid_.Current().Y;
    editor_->UpdateContents();
    canModify_ = editor_->EditLimit() != -1;
    if (editor_->EditStyle() != esColorList)
        editor_->SelectAll();
}

void TGridEditing::Place(bool forceRedraw)
{
    TInplaceEdit* editor = editor_.get();
    const int col = grid_.Current().X;
    const int row = grid_.Current().Y;
    if (grid_.HasEditParts(col, row)) {
        int fontHeight = 0;
        TRect rect;
        QString text;
        if (host_.GetEditPart(col, row, host_.CurrentEditPart(col, row), fontHeight, rect, text)) {
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
    host_.AdjustEditorRect(col, row, bounds, grid_.CellBounds(col, row));
    if (col == 0)
        ++bounds.Left;
    if (row == 0)
        ++bounds.Top;
    editor->Move(bounds, forceRedraw);
}

void TGridEditing::FollowView()
{
    if (mode_ && editor_ && editCol_ == grid_.Current().X && editRow_ == grid_.Current().Y && editor_->Visible())
        Place(false);
}

void TGridEditing::Hide()
{
    const bool changed = mode_;
    mode_ = false;
    host_.HideEdit();
    if (changed)
        host_.EditorModeChanged();
}

void TGridEditing::Commit()
{
    if (!editor_)
        return;
    const int col = editCol_;
    const int row = editRow_;
    const QString value = editor_->EditValue();
    editCol_ = editRow_ = -1;
    editor_->HideWindow();
    // Only the cell the editor was loaded for is written.
    if (col != -1 && row != -1)
        host_.SetEditText(col, row, value);
}

void TGridEditing::Cancel()
{
    const bool changed = mode_;
    mode_ = false;
    if (editor_) {
        editCol_ = editRow_ = -1;
        editor_->HideWindow();
    }
    if (changed)
        host_.EditorModeChanged();
}

bool TGridEditing::CanShow() const
{
    return grid_.HasOption(goEditing) && !grid_.HasOption(goRowSelect) && mode_ && !grid_.IsDestroying() &&
           grid_.HasWidget() && (grid_.HasOption(goAlwaysShowEditor) || grid_.IsActiveControl());
}

bool TGridEditing::QueryReadOnly(int col, int row)
{
    bool readOnly = grid_.ReadOnly();
    grid_.OnQueryReadOnly(&grid_, col, row, readOnly);
    return readOnly;
}

void TGridEditing::QueryEditorMode(bool& canShow, QChar ch)
{
    canShow = !grid_.ReadOnly();
    grid_.OnQueryEditorMode(&grid_, grid_.Current().X, grid_.Current().Y, canShow, ch);
}

void TGridEditing::ModeChanged()
{
    grid_.OnEditorModeChanged(&grid_);
}

void TGridEditing::TreeNodeDeleted(TTreeNode* node)
{
    grid_.TreeNodeDeletionHandler(&grid_, node);
}

bool TGridEditing::CanHide()
{
    const QString text = mode_ && editor_ ? editor_->Text() : QString();
    return QueryHide(grid_.Current().X, grid_.Current().Y, text);
}

bool TGridEditing::QueryHide(int col, int row, const QString& text)
{
    if (hideQueryActive_)
        return false;
    const TFlagScope guard(hideQueryActive_);
    bool canHide = true;
    grid_.OnQueryEditHide(&grid_, col, row, text, canHide);
    return canHide;
}

void TGridEditing::PostChar(QChar ch)
{
    if (TInplaceEdit* editor = ShownEditor())
        editor->SendChar(ch);
}

void TGridEditing::CancelMode()
{
    if (editor_)
        editor_->CancelMode(false);
}

TInplaceEdit* TGridEditing::ShownEditor() const
{
    return mode_ && editor_ && editor_->Visible() ? editor_.get() : nullptr;
}

void TGridEditing::PlaceEditCell(int col, int row)
{
    editCol_ = col;
    editRow_ = row;
}

TEditStyle TGridEditing::EditStyle()
{
    const TGridCoord c = grid_.Current();
    TEditStyle style = factory_->GetEditor(c.X, c.Y) ? esCustom : esSimple;
    grid_.OnQueryEditStyle(&grid_, c.X, c.Y, style);
    // An esCustom cell needs a factory editor; without one it is edited as plain text.
    if (style == esCustom && !factory_->GetEditor(c.X, c.Y))
        style = esSimple;
    if (style > esCustom)
        style = esSimple;
    return style;
}

void TGridEditing::EditProperty(TEditProperty& property)
{
    const TGridCoord c = grid_.Current();
    const TFont& font = grid_.Font();
    property.Color = grid_.HasEditParts(c.X, c.Y) ? clInfoBk : clWindow;
    property.FontColor = font.Color();
    property.FontName = font.Name();
    property.FontSize = font.Size();
    property.FontStyle = font.Style();
    grid_.OnQueryEditProperty(&grid_, c.X, c.Y, property);
}

void TGridEditing::GetDropDownList(QStringList& items, int& rows)
{
    items.clear();
    grid_.OnGetDropDownList(&grid_, grid_.Current().X, grid_.Current().Y, items, rows);
}

void TGridEditing::GetTreeViewList(TTreeNodes& nodes)
{
    nodes.Clear();
    grid_.OnGetTreeViewList(&grid_, grid_.Current().X, grid_.Current().Y, nodes);
}

void TGridEditing::QueryListStyle(TListBoxStyle& style, int& itemHeight)
{
    grid_.OnQueryListStyle(&grid_, grid_.Current().X, grid_.Current().Y, style, itemHeight);
}

void TGridEditing::EditButtonClick()
{
    grid_.OnEditButtonClick(&grid_, grid_.Current().X, grid_.Current().Y);
}

void TGridEditing::InplaceEditChanged(const QString& text)
{
    grid_.OnInplaceEditChanged(&grid_, grid_.Current().X, grid_.Current().Y, text);
}

void TGridEditing::BeforeListSelected(const QStringList& items, QString& item)
{
    grid_.OnBeforeDropDownListSelected(&grid_, grid_.Current().X, grid_.Current().Y, items, item);
}

void TGridEditing::ListSelected(const QString& item)
{
    grid_.OnDropDownListSelected(&grid_, grid_.Current().X, grid_.Current().Y, item);
}

void TGridEditing::TreeViewListSelected(TTreeNode* node, QString& text)
{
    grid_.OnTreeViewListSelected(&grid_, grid_.Current().X, grid_.Current().Y, node, text);
}

bool TGridEditing::CellReadOnly(int col, int row)
{
    return host_.QueryReadOnly(col, row);
}

void TGridEditing::WriteCellText(int col, int row, const QString& text)
{
    host_.SetEditText(col, row, text);
}
