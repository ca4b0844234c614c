#include "app/GalleryViewGrid.h"

#include <QImage>

#include "platform/framework/actions/ImageList.h"

namespace {

constexpr int kCols = 9;
constexpr int kRows = 15;

// Sample columns.
enum : int { colNo, colName, colCheck, colAmount, colNote, colSymbol, colRich, colPicture, colShape };

const char* const kHeads[] = {"", "名称", "选择", "数量", "说明", "符号", "格式文本", "图片", "图形"};
const char* const kNames[] = {"",       "组织",   "总部",   "办公室", "财务部", "出纳",  "会计",   "分公司",
                              "销售部", "市场部", "合计",   "",       "备注",   "空",    "末行"};
const uint8_t kLevels[] = {0, 0, 1, 2, 2, 3, 3, 1, 2, 2, 0, 0, 0, 0, 0};
const char* const kChecks[] = {"", "T", "F", "", "x", "TRUE", "false", "T", "F", "", "T", "F", "T", "", "F"};
const char* const kSymbols[] = {"", "12.5m2", "\u03A6A20", "3#", "8M3", "\u03A6B16", "\u03A6C25", "\u03A6D12",
                                "\u03A6L10", "\u03A6N8", "\u03A620", "m2", "\u03A6", "2#", "4.5m3"};

// The rich-text cell: 中文 in GBK bytes, bold and red, and a centred line.
const char* const kRich =
    "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
    "{\\colortbl;\\red200\\green0\\blue0;}\\f0\\fs18 \\b\\'d6\\'d0\\'ce\\'c4\\b0 \\cf1 red\\cf0\\line m\\super 2\\nosupersub}";

} // namespace

TGalleryViewGrid::TGalleryViewGrid(TComponent* owner)
    : TTavikCustomViewGrid(owner), cols_(kCols), rows_(kRows), images_(new TImageList(this))
{
    SetColCount(kCols);
    SetRowCount(kRows);
    SetFixedCols(1);
    SetFixedRows(1);
    SetDefaultRowHeight(20);
    SetRowHeights(2, 36);
    SetColWidths(colNo, 28);
    SetColWidths(colName, 120);
    SetColWidths(colCheck, 44);
    SetColWidths(colAmount, 64);
    SetColWidths(colNote, 120);
    SetColWidths(colSymbol, 80);
    SetColWidths(colRich, 110);
    SetColWidths(colPicture, 60);
    SetColWidths(colShape, 60);
    SetOptions(Options() | GridOption(goShowRowNo) | GridOption(goShowColNo) | GridOption(goColMoving) |
               GridOption(goRowMoving) | GridOption(goRowSizing));
    SetIsTree(true);
    QImage strip(QStringLiteral(":/images/imlFuncs.png"));
    if (!strip.isNull() && strip.height() == 16 && strip.width() % 16 == 0)
        images_->SetStrip(strip);
    SetImages(images_);
    for (int r = 1; r < kRows; ++r) {
        values_[{colName, r}] = QString::fromUtf8(kNames[r]);
        values_[{colCheck, r}] = QString::fromUtf8(kChecks[r]);
        values_[{colAmount, r}] = QString::number(r * 1234.5, 'f', 1);
        values_[{colSymbol, r}] = QString::fromUtf8(kSymbols[r]);
        values_[{colPicture, r}] = QStringLiteral("图 %1").arg(r);
        values_[{colShape, r}] = QStringLiteral("(%1, %2)").arg(r).arg(r * 2);
    }
    values_[{colNote, 1}] = QStringLiteral("一段较长的中文说明文字在单元格中按字符换行显示");
    values_[{colNote, 3}] = QStringLiteral("top\nbottom");
    values_[{colNote, 11}] = QStringLiteral("合并区域: 两列两行, 粗边框");
    values_[{colRich, 1}] = QString::fromLatin1(kRich);
    values_[{colRich, 2}] = QStringLiteral("不是格式文本, 按普通文字显示");
}

QString TGalleryViewGrid::GetCellValue(int col, int row)
{
    QString value = TTavikCustomViewGrid::GetCellValue(col, row);
    if (row == 0 && col < kCols)
        return QString::fromUtf8(kHeads[cols_[col]]);
    const auto it = values_.find(Record(col, row));
    return it != values_.end() ? it->second : value;
}

void TGalleryViewGrid::SetCellValue(int col, int row, const QString& value)
{
    values_[Record(col, row)] = value;
    TTavikCustomViewGrid::SetCellValue(col, row, value);
}

void TGalleryViewGrid::GetCellAttrs(int col, int row, TCellAttrInfo& info, TCellAttributes attrs)
{
    TTavikCustomViewGrid::GetCellAttrs(col, row, info, attrs);
    if (col < 0 || row < 1 || col >= kCols || row >= kRows)
        return;
    const auto [c, r] = Record(col, row);
    switch (c) {
    case colCheck: info.DataType = cdtBoolean; break;
    case colAmount:
        info.DataType = cdtNumeric;
        if (r == 10) {
            info.FontStyles = fsBold;
            info.BackColor = 0x00E0F0FF;
        }
        break;
    case colNote:
        info.DataType = cdtMemo;
        if (r == 3)
            info.VertAlign = vaTopJustify;
        break;
    case colSymbol: info.HandleSymbol = true; break;
    case colRich: info.DataType = r <= 2 ? cdtRichText : cdtString; break;
    case colPicture:
        info.DataType = cdtPicture;
        info.ImageIndex = r % 8;
        info.ImageLayout = r % 2 ? clImageLeft : clImageRight;
        break;
    case colShape: info.DataType = cdtVectorGraph; break;
    default: break;
    }
    if (c == colName && r == 10) {
        info.FontColor = clNavy;
        info.FontStyles = fsBold;
    }
    // The merged block of notes and symbols, framed by thick bound lines.
    if ((c == colNote || c == colSymbol) && (r == 11 || r == 12)) {
        info.MergeID = 77;
        info.RightLine = c == colSymbol ? 2 : 0;
        info.BottomLine = r == 12 ? 2 : 0;
        info.DataType = cdtMemo;
        info.HandleSymbol = false;
    }
    if (c == colAmount && r == 5) {
        info.Diagonal = 1;
    }
    if ((c == colAmount && r == 4) || (c == colName && r == 3)) {
        info.ShowComment = true;
        info.Comment = QStringLiteral("批注: 该单元格带有说明\n第二行");
    }
}

uint8_t TGalleryViewGrid::RowLevel(int row)
{
    if (!IsTreeGrid() || row < FixedRows() || row >= RowCount())
        return 0;
    return kLevels[rows_[row]];
}

void TGalleryViewGrid::ColumnMoved(int from, int to)
{
    cols_.Move(from, to);
    TTavikCustomViewGrid::ColumnMoved(from, to);
}

void TGalleryViewGrid::RowMoved(int from, int to)
{
    rows_.Move(from, to);
    TreeShapeChanged();
    TTavikCustomViewGrid::RowMoved(from, to);
}

TGalleryViewGrid* MakeGalleryViewGrid(TCustomForm* form, const TRect& bounds)
{
    auto* grid = new TGalleryViewGrid(form);
    grid->SetParent(form);
    grid->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    grid->MoveCurrent(3, 4, true, false, false, true);
    return grid;
}
