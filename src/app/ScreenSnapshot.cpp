#include "app/ScreenSnapshot.h"

#include <QApplication>
#include <QJsonArray>
#include <QWidget>

#include "orgchart/OrgChart.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Application.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/Form.h"
#include "platform/controls/edit/MaskEdit.h"
#include "platform/controls/edit/MultiLineEdit.h"
#include "stream/ClassRegistry.h"

namespace {

// The chart's nodes in tree order, each with its box in the chart's client
// coordinates at the current scroll position (null while hidden).
void DumpChart(TCustomOrgChart* chart, QJsonObject& o)
{
    o["count"] = chart->Tree().Count();
    TOcNode* selected = chart->Tree().Selected();
    o["selected"] = selected ? QJsonValue(selected->Text()) : QJsonValue();
    QJsonArray nodes;
    for (TOcNode* n = chart->Tree().FirstNode(); n; n = n->GetNext()) {
        QJsonObject node;
        node["text"] = n->Text();
        node["level"] = n->Level();
        node["imageIndex"] = n->ImageIndex();
        node["expanded"] = n->Expanded();
        node["visible"] = n->IsVisible();
        if (n->IsVisible()) {
            const TRect r = chart->NodeShapeRect(n);
            node["box"] = QJsonArray{r.Left, r.Top, r.Width(), r.Height()};
        } else {
            node["box"] = QJsonValue();
        }
        nodes.append(node);
    }
    o["nodes"] = nodes;
}

QJsonArray IntList(int count, int (*get)(TTavikCustomViewGrid&, int), TTavikCustomViewGrid& grid)
{
    QJsonArray list;
    for (int i = 0; i < count; ++i)
        list.append(get(grid, i));
    return list;
}

void DumpGrid(TTavikCustomViewGrid& grid, QJsonObject& o)
{
    o["colCount"] = grid.ColCount();
    o["rowCount"] = grid.RowCount();
    o["fixedCols"] = grid.FixedCols();
    o["fixedRows"] = grid.FixedRows();
    // Effective sizes: hidden columns and rows under collapsed tree rows show 0.
    o["colWidths"] = IntList(grid.ColCount(), [](TTavikCustomViewGrid& g, int i) { return g.ColWidths(i); }, grid);
    o["rowHeights"] = IntList(grid.RowCount(), [](TTavikCustomViewGrid& g, int i) { return g.GetRowHeight(i); }, grid);
    o["isTree"] = grid.IsTreeGrid();
    auto* pt = dynamic_cast<TTavikPTGrid*>(&grid);
    o["levelCol"] = pt ? pt->LevelCol() : -1;
    QJsonArray rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        QJsonArray cells;
        for (int c = 0; c < grid.ColCount(); ++c)
            cells.append(grid.ShownText(c, r));
        rows.append(cells);
    }
    o["cells"] = rows;
}

// Edits publish their content as Text, everything else as Caption. The
// editors that controls make for themselves are not registered and are known
// by their type.
bool ShowsText(const TControl* c)
{
    if (const ClassInfo* info = ClassRegistry::Instance().ForObject(c))
        return info->Publishes("Text") && !info->Publishes("Caption");
    return dynamic_cast<const TEdit*>(c) || dynamic_cast<const TCustomMaskEdit*>(c) ||
           dynamic_cast<const TMultiLineEdit*>(c);
}

QJsonObject DumpControl(TControl* c)
{
    QJsonObject o;
    o["class"] = QString::fromLatin1(c->ClassName());
    o["name"] = c->Name();
    o["left"] = c->Left();
    o["top"] = c->Top();
    o["width"] = c->Width();
    o["height"] = c->Height();
    o["visible"] = c->Visible();
    o["enabled"] = c->Enabled();
    auto* win = dynamic_cast<TWinControl*>(c);
    o["tabOrder"] = win ? win->TabOrder() : -1;
    if (!c->Caption().isEmpty())
        o[ShowsText(c) ? "text" : "caption"] = c->Caption();
    if (auto* chart = dynamic_cast<TCustomOrgChart*>(c))
        DumpChart(chart, o);
    if (auto* grid = dynamic_cast<TTavikCustomViewGrid*>(c))
        DumpGrid(*grid, o);
    QJsonArray children;
    if (win)
        for (TControl* child : win->ControlList())
            children.append(DumpControl(child));
    o["children"] = children;
    return o;
}

} // namespace

QJsonObject DumpForm(TCustomForm* form)
{
    QJsonObject o;
    o["class"] = QString::fromLatin1(form->ClassName());
    o["name"] = form->Name();
    o["caption"] = form->Caption();
    o["clientWidth"] = form->ClientWidth();
    o["clientHeight"] = form->ClientHeight();
    QJsonArray children;
    for (TControl* child : form->ControlList())
        children.append(DumpControl(child));
    o["children"] = children;
    return o;
}

QImage RenderForm(TCustomForm* form)
{
    form->Show();
    QApplication::processEvents();
    // As a user would first see it: after the idle-time action update.
    Application()->DoIdle();
    QApplication::processEvents();
    QImage image = form->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    form->Hide();
    return image;
}
