#include "app/GalleryEditorGrid.h"

#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/InplaceEdit.h"
#include "platform/canvas/Canvas.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/TreeView.h"
#include "grid/core/GridEditing.h"

namespace {

const char* const kStyleNames[] = {"esSimple",        "esEllipsis",     "esDropDown",   "esDropDownList",
                                   "esEllipsisRO",    "esMonthCalendar", "esColorList", "esTreeView",
                                   "esDropDownWindow", "esUpDown",       "esCustom"};

// The custom drop-down's list: a release on it chooses.
class CustomChoiceList : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    TInplaceEdit* editor = nullptr;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TCustomListBox::MouseUp(button, shift, x, y);
        if (editor && button == mbLeft)
            editor->CloseUp(true);
    }
};

} // namespace

// The sample's factory editor for the last column: a short list of levels.
class TGalleryCustomEditor : public TGridCustomEditor {
public:
    TGalleryCustomEditor() : list_(nullptr)
    {
        list_.SetItems({QStringLiteral("低"), QStringLiteral("中"), QStringLiteral("高")});
        list_.SetItemHeight(18);
        list_.SetBounds(0, 0, 80, 3 * 18 + 4);
    }
    bool Accepts(int col, int row) override { return col == 11; }
    void Attach(TInplaceEdit* editor) override { list_.editor = editor; }
    TControl* PopupControl() override { return &list_; }
    void Prepare(int, int) override { list_.SetItemIndex(list_.Items().indexOf(list_.editor->Text())); }
    void GetValue(QString& text) override
    {
        text = list_.ItemIndex() >= 0 ? list_.Items()[list_.ItemIndex()] : list_.editor->Text();
    }

private:
    CustomChoiceList list_;
};

TEditStyle TGalleryEditorGrid::ColumnStyle(int col)
{
    return static_cast<TEditStyle>(std::clamp(col - 1, 0, int(esCustom)));
}

TGalleryEditorGrid::TGalleryEditorGrid(TComponent* owner) : TTavikCustomDrawGrid(owner)
{
    SetColCount(12);
    SetRowCount(kRows);
    SetDefaultColWidth(86);
    SetColWidths(0, 28);
    SetOptionExs(0);
    custom_ = std::make_unique<TGalleryCustomEditor>();
    Editing().Factory().Register(custom_.get());
    for (int row = 1; row < kRows; ++row) {
        texts_[{1, row}] = QStringLiteral("文本 %1").arg(row);
        texts_[{2, row}] = QStringLiteral("...%1").arg(row);
        texts_[{3, row}] = QStringLiteral("北京");
        texts_[{4, row}] = QStringLiteral("经理");
        texts_[{5, row}] = QStringLiteral("只读 %1").arg(row);
        texts_[{6, row}] = QStringLiteral("2026-%1-15").arg(row, 2, 10, QLatin1Char('0'));
        texts_[{7, row}] = QString::number(row % 2 ? 255 : 0x800000);
        texts_[{8, row}] = QStringLiteral("总经理办公室");
        texts_[{9, row}] = QStringLiteral("窗口 %1").arg(row);
        texts_[{10, row}] = QString::number(row * 10);
        texts_[{11, row}] = QStringLiteral("中");
    }
    GetEditTextHandler = TGridGetEditEvent([this](TObject*, int c, int r, QString& v) { v = CellText(c, r); });
    SetEditTextHandler = TGridSetEditEvent([this](TObject*, int c, int r, const QString& v) {
        texts_[{c, r}] = v;
        RepaintCell(c, r);
    });
    OnQueryEditStyle = TGridQueryEditStyleEvent([](TObject*, int c, int, TEditStyle& s) { s = ColumnStyle(c); });
    OnGetDropDownList = TGridGetDropDownListEvent([](TObject*, int c, int, QStringList& items, int&) {
        if (c == 3)
            items = {QStringLiteral("北京"), QStringLiteral("上海"), QStringLiteral("广州"), QStringLiteral("深圳"),
                     QStringLiteral("杭州"), QStringLiteral("成都")};
        else
            items = {QStringLiteral("经理"), QStringLiteral("副经理"), QStringLiteral("主管"), QStringLiteral("职员")};
    });
    OnGetTreeViewList = TGridGetTreeViewListEvent([](TObject*, int, int, TTreeNodes& nodes) {
        TTreeNode* top = nodes.AddChild(nullptr, QStringLiteral("董事会"));
        TTreeNode* office = nodes.AddChild(top, QStringLiteral("总经理办公室"));
        nodes.AddChild(office, QStringLiteral("全资子公司"));
        nodes.AddChild(top, QStringLiteral("财务部"));
        top->Expand(true);
    });
    OnEditButtonClick = TGridCellEvent([this](TObject*, int c, int r) {
        if (TInplaceEdit* editor = Editing().Editor(); editor && editor->Visible())
            editor->SetText(QStringLiteral("按钮 %1").arg(r));
    });
    OnDrawCell = TGridDrawCellEvent([this](TObject*, TCanvas& canvas, int col, int row, const TRect& rect,
                                           TGridDrawState, bool& handled) {
        TRect r = rect;
        InflateRect(r, -3, 0);
        if (row > 0 && col == 7) {
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(static_cast<TColor>(CellText(col, row).toLongLong()));
            canvas.FillRect({rect.Left + 3, rect.Top + 3, rect.Right - 3, rect.Bottom - 3});
            handled = true;
            return;
        }
        canvas.Brush().SetStyle(bsClear);
        canvas.DrawText(CellText(col, row), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (row == 0 ? DT_CENTER : DT_LEFT));
        handled = true;
    });
}

TGalleryEditorGrid::~TGalleryEditorGrid()
{
    Editing().Factory().Unregister(custom_.get());
}

QString TGalleryEditorGrid::CellText(int col, int row) const
{
    if (row == 0)
        return col == 0 ? QString() : QString::fromLatin1(kStyleNames[col - 1]);
    if (col == 0)
        return QString::number(row);
    auto it = texts_.find({col, row});
    return it == texts_.end() ? QString() : it->second;
}

TGalleryEditorGrid* MakeGalleryEditorGrid(TCustomForm* form, const TRect& bounds)
{
    auto* grid = new TGalleryEditorGrid(form);
    grid->SetParent(form);
    grid->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    // The picture shows the drop-down editor open on a cell.
    form->SetActiveControl(grid);
    grid->FocusCell(3, 2, true);
    grid->SetEditorMode(true);
    return grid;
}
