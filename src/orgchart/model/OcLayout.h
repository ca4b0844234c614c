#pragma once

// Geometry of the chart in logical coordinates (children below their parent,
// siblings left to right): effective sizes, cached child sizes, the cell and box
// of every node, the layout pass that places nodes for painting and animation,
// and hit testing. Nothing here needs a window.

#include <cstdint>

#include "orgchart/model/OcNode.h"
#include "orgchart/model/OcTree.h"
#include "orgchart/model/OcTypes.h"
#include "platform/base/Types.h"

// What the geometry reads from the chart.
struct TOcMetrics {
    int lineWidth = 1;
    int indentX = 16;
    int indentY = 16;
    int defaultWidth = 64;
    int defaultHeight = 40;
    bool rotated = false;
    bool rect3D = false;
    bool buttons = true;
    // Zoomed: sizes pass through num / den.
    bool zoomed = false;
    int zoomNum = 1;
    int zoomDen = 1;
    // Scroll offsets (physical).
    int scrollX = 0;
    int scrollY = 0;

    int Scale(int64_t v) const { return zoomed ? static_cast<int>(v * zoomNum / zoomDen) : static_cast<int>(v); }
    int LW() const { return zoomed ? Scale(lineWidth) : lineWidth; }
    int IX() const { return Scale(rotated ? indentY : indentX); }
    int IY() const { return Scale(rotated ? indentX : indentY); }
    int NW(const TOcNode* n) const { return Scale(n->Width() ? n->Width() : defaultWidth); }
    int NH(const TOcNode* n) const { return Scale(n->Height() ? n->Height() : defaultHeight); }
    bool Box3D(const TOcNode* n) const { return n->Shape() == shRectangle && rect3D; }
    int EX(const TOcNode* n) const { return EX(n->Width(), n->Height(), n->Shape() == shRectangle); }
    int EY(const TOcNode* n) const { return EY(n->Width(), n->Height(), n->Shape() == shRectangle); }
    // The same for a box of stored size width x height (0: the default).
    int EX(int width, int height, bool rectangle) const
    {
        return Scale(rotated ? (height ? height : defaultHeight) : (width ? width : defaultWidth)) +
               (rectangle && rect3D ? LW() : 0);
    }
    int EY(int width, int height, bool rectangle) const
    {
        return Scale(rotated ? (width ? width : defaultWidth) : (height ? height : defaultHeight)) +
               (rectangle && rect3D ? LW() : 0);
    }
    bool HasButton(const TOcNode* n) const { return HasButton(n->HasChildren(), n->Expanded()); }
    bool HasButton(bool hasChildren, bool expanded) const { return buttons && hasChildren && !(zoomed && expanded); }
    // The same chart without zoom.
    TOcMetrics FullScale() const
    {
        TOcMetrics m = *this;
        m.zoomed = false;
        return m;
    }
    TPoint ToPhysical(TPoint p) const { return rotated ? TPoint{p.Y, p.X} : p; }
    TRect ToPhysical(const TRect& r) const { return rotated ? TRect{r.Top, r.Left, r.Bottom, r.Right} : r; }
    TPoint ToLogical(TPoint p) const { return ToPhysical(p); }
    TRect ToLogical(const TRect& r) const { return ToPhysical(r); }
    // Top-left of the root's cell in logical coordinates.
    TPoint Origin() const { return rotated ? TPoint{-scrollY, -scrollX} : TPoint{-scrollX, -scrollY}; }
};

// Where a node lies: its cell's left edge and its row's top (logical).
struct TOcPlace {
    TOcNode* node = nullptr;
    int cellLeft = 0;
    int rowTop = 0;
};

class TOcLayout {
public:
    TOcLayout(TOcTree& tree, const TOcMetrics& metrics) : tree_(tree), m_(metrics) {}
    const TOcMetrics& Metrics() const { return m_; }

    // Sums of the children's cells (0 for a collapsed node), scaled.
    int ChildrenW(TOcNode* node);
    int ChildrenH(TOcNode* node);
    int CellW(TOcNode* node);
    int CellH(TOcNode* node);
    // The whole chart, logical (width along the siblings).
    int LogicalFullW() { return ChildrenW(tree_.Root()); }
    int LogicalFullH() { return ChildrenH(tree_.Root()) + 6; }
    // Physical sizes (FullWidth, FullHeight).
    int FullW() { return m_.rotated ? LogicalFullH() : LogicalFullW(); }
    int FullH() { return m_.rotated ? LogicalFullW() : LogicalFullH(); }

    int ChildOffset(TOcNode* parent);
    int RowHeight(TOcNode* node) { return m_.EY(node) + m_.IY() + m_.LW(); }
    // Row rectangle and box rectangle (connector band included) of a placed node.
    TRect RowRect(const TOcPlace& p);
    TRect BoxRect(const TOcPlace& p);
    // Text and image area of a box rectangle given in physical coordinates.
    TRect ContentRect(const TOcNode* node, TRect physicalBox) const;

    // The place of a node, walking down from the root; the node must be visible.
    TOcPlace Locate(TOcNode* node);

    // The layout pass over a logical area: DrawFlag and positions (AnimX/AnimY)
    // of every node the area needs; in record mode also the start positions.
    void Pass(const TRect& area, bool record, TOcNode* animating);

    // Hit test at a physical point.
    struct Hit {
        TOcNode* node = nullptr;
        TOcHitFlags flags = htNowhere;
    };
    Hit HitTest(TPoint physical);
    // Whether a logical point inside a node's box lies inside its shape.
    bool InShape(const TOcNode* node, const TRect& box, TPoint p) const;

private:
    // Computes the full-scale cached sizes below node, without recursion.
    void EnsureSizes(TOcNode* node);
    // Whether the pass sizes the whole open tree from the tree's copy of it
    // rather than node by node.
    bool SizesFromCopy(TOcNode* animating);
    // Full-scale sums of every copied node's children, from the last level up
    // (the copy made again first if stale).
    void SumCopy();
    // The same, kept in the nodes.
    void SizeFromCopy();
    // The hidden root sits at the origin and is always drawn; returns the origin.
    TPoint PlaceRoot(TOcNode* root, bool record);
    // The pass over the copy: sizes and places in one sweep of the nodes.
    void PassOverCopy(const TRect& area, bool record, TOcNode* animating);
    // Places a shown node, of the given box, in its cell of width cw
    // (fullChildrenH: its children's full-scale height, 0 when closed);
    // returns the top of its children's row.
    int PlaceShown(TOcNode* n, const TOcLayoutCopy::Box& box, int cellLeft, int rowTop, int cw,
                   int64_t fullChildrenH, const TRect& area);
    // Where the children of a node start in its cell of width cw.
    static int ChildrenLeft(TOcChildAlign align, int cellLeft, int cw, int childrenW);
    int64_t FullChildrenW(TOcNode* node);
    int64_t FullChildrenH(TOcNode* node);

    TOcTree& tree_;
    TOcMetrics m_;
};

