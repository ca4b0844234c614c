#pragma once

// A view grid whose cells are answered from maps, as an owner would answer
// them through the query events, and its painting into an off-screen picture.

#include <functional>
#include <map>
#include <memory>
#include <utility>

#include <QImage>

#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "grid/core/paint/GridPainter.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

namespace viewgridtest {

using Cell = std::pair<int, int>;
using AttrFn = std::function<void(TCellAttrInfo&)>;

constexpr TColor kData = 0x00FFFFFF;
constexpr TColor kFixed = 0x00C0C0C0;
constexpr TColor kLine = 0x00808080;
constexpr TColor kUntouched = 0x00123456;

struct MapGrid {
    std::unique_ptr<TTavikCustomViewGrid> grid;
    std::map<Cell, QString> values;
    std::map<Cell, AttrFn> attrs;
    std::vector<uint8_t> levels;
    std::vector<std::pair<Cell, QString>> updates;

    MapGrid()
    {
        grid = std::make_unique<TTavikCustomViewGrid>(nullptr);
        grid->SetBounds(0, 0, 400, 120);
        grid->SetColor(kData);
        grid->SetFixedColor(kFixed);
        grid->SetGridLineColor(kLine);
        grid->OnQueryCellValue = TQueryCellValueEvent([this](TObject*, int c, int r, QString& v) {
            const auto it = values.find({c, r});
            if (it != values.end())
                v = it->second;
        });
        grid->OnUpdateCellValue = TUpdateCellValueEvent([this](TObject*, int c, int r, const QString& v) {
            values[{c, r}] = v;
            updates.push_back({{c, r}, v});
        });
        grid->OnQueryCellAttribute =
            TQueryCellAttributeEvent([this](TObject*, int c, int r, TCellAttributes, TCellAttrInfo& info) {
                const auto it = attrs.find({c, r});
                if (it != attrs.end())
                    it->second(info);
            });
        grid->OnQueryRowLevel = TQueryRowLevelEvent([this](TObject*, int r, uint8_t& level) {
            if (r >= 0 && r < static_cast<int>(levels.size()))
                level = levels[r];
        });
    }

    QImage Paint()
    {
        QImage img(grid->Width(), grid->Height(), QImage::Format_RGB32);
        img.fill(QColor(0x56, 0x34, 0x12));
        TCanvas canvas(img);
        grid->Painter().PaintGrid(canvas);
        return img;
    }
};

} // namespace viewgridtest
