// In-place editing of the selected node's text.

#include <algorithm>

#include "orgchart/OcInplaceEdit.h"
#include "orgchart/OrgChart.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"

namespace {
// Half of the screen the screens were laid out for.
constexpr int kHalfScreenWidth = 960;
constexpr int kHalfScreenHeight = 540;
} // namespace

std::unique_ptr<TOcInplaceEdit> TCustomOrgChart::CreateEditor()
{
    return std::make_unique<TOcInplaceEdit>(this);
}

bool TCustomOrgChart::Editing() const
{
    return editor_ && editor_->Visible();
}

void TCustomOrgChart::SetEditing(bool v)
{
    if (v)
        ShowEditor();
    else
        HideEditor(true);
}

TRect TCustomOrgChart::EditorRect(TOcNode* node)
{
    TRect r = NodeContentRect(node);
    TImageList* images = images_.Get();
    if (images && node->ImageAlign() != iaNone && node->ImageIndex() != -1) {
        const TOcMetrics m = Metrics();
        const int w = m.Scale(images->Width()), h = m.Scale(images->Height());
        switch (node->ImageAlign()) {
        case iaLT: case iaLC: case iaLB: r.Left += w; break;
        case iaRT: case iaRC: case iaRB: r.Right -= w; break;
        case iaTL: case iaTC: case iaTR: r.Top += h; break;
        default: r.Bottom -= h; break;
        }
    }
    return r;
}

void TCustomOrgChart::ShowEditor()
{
    if (!HasOption(ocEdit) || Editing() || Zoomed() || !tree_.Selected())
        return;
    TOcNode* node = tree_.Selected();
    bool allow = true;
    OnEditing(this, node, allow);
    if (!allow)
        return;
    node->MakeVisible();
    if (!editor_)
        editor_ = CreateEditor();
    const TRect r = EditorRect(node);
    editor_->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    TCanvas measure;
    measure.Font().Assign(&Font());
    editor_->MinWidth = measure.TextWidth(QStringLiteral("W"));
    editor_->MinHeight = measure.TextHeight(QStringLiteral("W"));
    editor_->MaxWidth = std::max(kHalfScreenWidth, editor_->MinWidth);
    editor_->MaxHeight = std::max(kHalfScreenHeight, editor_->MinHeight);
    editor_->ApplyEditMode(editMode_);
    editor_->SetColor(node->Color() == static_cast<TColor>(kOcColorNone) ? Color() : node->Color());
    editor_->Font().Assign(&Font());
    node->DoSetFont(editor_->Font());
    editor_->SetEditText(node->GetText());
    editor_->SetModified(false);
    GrowEditor();
    editor_->Show();
    editor_->BringToFront();
    editor_->FocusEdit();
}

void TCustomOrgChart::GrowEditor()
{
    if (!editor_)
        return;
    TCanvas measure;
    measure.Font().Assign(&Font());
    const int cw = editor_->ClientWidth(), ch = editor_->ClientHeight();
    TRect r{0, 0, cw, ch};
    measure.DrawText(editor_->EditText() + QStringLiteral("WW\r\n\r\nWW"), r,
                     TextFlags() | DT_CALCRECT | DT_EDITCONTROL);
    const int w = std::clamp(r.Width(), editor_->MinWidth, std::max(editor_->MinWidth, editor_->MaxWidth));
    const int h = std::clamp(r.Height(), editor_->MinHeight, std::max(editor_->MinHeight, editor_->MaxHeight));
    const int dx = (editMode_ & emWrap) ? 0 : w - cw;
    const int dy = h - ch;
    if (dx == 0 && dy == 0)
        return;
    const TRect b = editor_->BoundsRect();
    const TRect n{b.Left - dx / 2, b.Top - dy / 2, b.Right + (dx - dx / 2), b.Bottom + (dy - dy / 2)};
    editor_->SetBounds(n.Left, n.Top, n.Width(), n.Height());
}

void TCustomOrgChart::HideEditor(bool save)
{
    if (!Editing() || hidingEditor_)
        return;
    hidingEditor_ = true;
    const bool hadFocus = editor_->HasEditFocus();
    if (save && editor_->Modified()) {
        QString text = editor_->EditText();
        editor_->SetModified(false);
        OnEdited(this, tree_.Selected(), text);
        if (TOcNode* node = tree_.Selected())
            node->SetText(text);
    }
    editor_->SetModified(false);
    editor_->Hide();
    hidingEditor_ = false;
    if (hadFocus && !destroying_ && CanFocus())
        SetFocus();
}

TWinControl* TCustomOrgChart::CompositionWindow(bool)
{
    return Editing() ? editor_.get() : nullptr;
}

TRect TCustomOrgChart::InputCaretRect()
{
    TOcNode* node = tree_.Selected();
    if (!node || !node->IsVisible())
        return ClientRect();
    return NodeContentRect(node);
}

void TCustomOrgChart::EditorKeyDown(Word& key, TShiftState shift, bool& handled)
{
    const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    if (mods == ssAlt && key == VK_RETURN) {
        HideEditor(true);
        handled = true;
    } else if (mods == ssAlt && (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN)) {
        Word plain = key;
        KeyDown(plain, 0);
        handled = true;
    } else if (mods == 0 && key == VK_ESCAPE) {
        editor_->SetModified(false);
        HideEditor(false);
        handled = true;
    } else if (mods == 0 && key == VK_F2) {
        HideEditor(true);
        handled = true;
    }
}

void TCustomOrgChart::EditorChar(QChar& key, bool& handled)
{
    KeyPress(key);
    handled = key.isNull();
}

void TCustomOrgChart::EditorLostFocus()
{
    HideEditor(true);
}
