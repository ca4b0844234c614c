#include "orgchart/model/OcLayout.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// How many entries ahead of the walk a node is fetched.
constexpr size_t kLookAhead = 8;
// The same for the nodes the pass over the copy writes, with nothing to wait
// for in between but its own arithmetic.
constexpr size_t kWriteAhead = 16;
constexpr int kFamilyLines = 8;

// A family made in one go lies in consecutive nodes: fetching the lines after
// its first member keeps the walk along the sibling links from waiting on
// each one in turn. Worth it only for charts larger than the caches; for
// smaller ones it is instructions for nothing.
constexpr int kCachedNodes = 32768;
inline void FetchFamily(const TOcNode* first, bool large)
{
    const char* at = reinterpret_cast<const char*>(first);
    __builtin_prefetch(at);
    for (int i = 1; large && i < kFamilyLines; ++i)
        __builtin_prefetch(at + i * sizeof(TOcNode));
}

} // namespace

// Cached sizes are kept at full scale. A node's cache is filled only together
// with the caches of its expanded children, so an ancestor without a cache has
// no cached ancestor that depends on it: dropping sizes may stop climbing there.
void TOcLayout::EnsureSizes(TOcNode* node)
{
    const TOcMetrics full = m_.FullScale();
    const int64_t fixedW = int64_t(full.LW()) + full.IX(), fixedH = int64_t(full.LW()) + full.IY();
    auto open = [](const TOcNode* n) { return n->Expanded() && n->FirstChildLink(); };
    auto needs = [&](const TOcNode* n) { return open(n) && !(tree_.HasCachedW(n) && tree_.HasCachedH(n)); };
    const uint8_t epoch = tree_.SizeEpoch();
    if (!needs(node))
        return;
    if (node == tree_.Root() && SizesFromCopy(nullptr)) {
        SizeFromCopy();
        return;
    }
    // Level order, then summed from the last level up: a family's members lie
    // next to each other and a tree built level by level lies in this very
    // order, so at a million nodes the sweeps stream through memory instead of
    // jumping from family to family. Settled children (leaves, closed or cached
    // nodes) are added while their family is read; the nodes being sized add
    // themselves to their parent once their own sums are complete, so the second
    // sweep reads only them and their parents.
    auto add = [&](TOcNode* parent, const TOcNode* c) {
        const bool o = open(c);
        parent->childrenWidth += std::max<int64_t>(full.EX(c) + fixedW, o ? c->childrenWidth : 0);
        parent->childrenHeight = std::max<int64_t>(parent->childrenHeight, full.EY(c) + fixedH + (o ? c->childrenHeight : 0));
    };
    // Each entry carries its parent: the node itself does not, in its hot bytes.
    std::vector<TOcLayoutScratch::Sizing>& order = tree_.LayoutScratch().order;
    const bool large = tree_.Count() > kCachedNodes;
    order.assign(1, {node, nullptr, node->FirstChildLink()});
    node->childrenWidth = node->childrenHeight = 0;
    node->sizeStamp = epoch;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i + kLookAhead < order.size())
            FetchFamily(order[i + kLookAhead].first, large);
        TOcNode* n = order[i].node;
        for (TOcNode* c = order[i].first; c; c = c->NextSiblingLink()) {
            if (needs(c)) {
                c->childrenWidth = c->childrenHeight = 0;
                c->sizeStamp = epoch;
                order.push_back({c, n, c->FirstChildLink()});
            } else {
                add(n, c);
            }
        }
    }
    for (size_t i = order.size() - 1; i > 0; --i) {
        if (i > kLookAhead) {
            __builtin_prefetch(order[i - kLookAhead].node, 1);
            __builtin_prefetch(order[i - kLookAhead].parent, 1);
        }
        add(order[i].parent, order[i].node);
    }
}

int64_t TOcLayout::FullChildrenW(TOcNode* node)
{
    if (!node->Expanded() || !node->HasChildren())
        return 0;
    EnsureSizes(node);
    return node->childrenWidth;
}

int64_t TOcLayout::FullChildrenH(TOcNode* node)
{
    if (!node->Expanded() || !node->HasChildren())
        return 0;
    EnsureSizes(node);
    return node->childrenHeight;
}

int TOcLayout::ChildrenW(TOcNode* node)
{
    return m_.Scale(FullChildrenW(node));
}

int TOcLayout::ChildrenH(TOcNode* node)
{
    return m_.Scale(FullChildrenH(node));
}

int TOcLayout::CellW(TOcNode* node)
{
    const TOcMetrics full = m_.FullScale();
    return m_.Scale(std::max<int64_t>(full.EX(node) + full.LW() + full.IX(), FullChildrenW(node)));
}

int TOcLayout::CellH(TOcNode* node)
{
    const TOcMetrics full = m_.FullScale();
    return m_.Scale(full.EY(node) + full.LW() + full.IY() + FullChildrenH(node));
}

int TOcLayout::ChildOffset(TOcNode* parent)
{
    if (parent->IsRoot())
        return 0;
    switch (parent->ChildAlign()) {
    case caLeft: return 0;
    case caRight: return CellW(parent) - ChildrenW(parent);
    default: return (CellW(parent) - ChildrenW(parent)) / 2;
    }
}

TRect TOcLayout::RowRect(const TOcPlace& p)
{
    return {p.cellLeft, p.rowTop, p.cellLeft + CellW(p.node), p.rowTop + RowHeight(p.node)};
}

TRect TOcLayout::BoxRect(const TOcPlace& p)
{
    const TRect row = RowRect(p);
    const int w = m_.EX(p.node) + m_.LW();
    int left = row.Left;
    if (p.node->ChildAlign() == caCenter)
        left += (row.Width() - w) / 2;
    else if (p.node->ChildAlign() == caRight)
        left = row.Right - w;
    return {left, row.Top, left + w, row.Bottom};
}

TRect TOcLayout::ContentRect(const TOcNode* node, TRect r) const
{
    const int nw = m_.NW(node), nh = m_.NH(node);
    int a = 0, b = 0;
    switch (node->Shape()) {
    case shRoundRect: a = b = (std::min(nw, nh) / 2) * 3 / 20; break;
    case shEllipse: a = nw * 3 / 20; b = nh * 3 / 20; break;
    case shDiamond: a = nw / 4; b = nh / 4; break;
    default: break;
    }
    a += m_.LW() / 2 + 1;
    b += m_.LW() / 2 + 1;
    r.Left += a;
    r.Right -= a;
    r.Top += b;
    r.Bottom -= b;
    if (m_.rotated)
        r.Left += m_.IY();
    else
        r.Top += m_.IY();
    return r;
}

TOcPlace TOcLayout::Locate(TOcNode* node)
{
    std::vector<TOcNode*> path;
    for (TOcNode* n = node; n && !n->IsRoot(); n = n->RawParent())
        path.push_back(n);
    const TPoint o = m_.Origin();
    TOcPlace place{tree_.Root(), o.X, o.Y};
    int childTop = o.Y;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        TOcNode* parent = place.node;
        int left = place.cellLeft + ChildOffset(parent);
        for (int i = 0; i < (*it)->Index(); ++i)
            left += CellW(parent->Children()[static_cast<size_t>(i)]);
        place = {*it, left, childTop};
        childTop = place.rowTop + RowHeight(*it);
    }
    return place;
}

[[gnu::always_inline]] inline int TOcLayout::PlaceShown(TOcNode* n, const TOcLayoutCopy::Box& box, int cellLeft,
                                                         int rowTop, int cw, int64_t fullChildrenH, const TRect& area)
{
    const int lw = m_.LW();
    const int c = rowTop + m_.EY(box.width, box.height, box.rectangle) + (lw + m_.IY());
    const int d = box.expanded ? std::max(999999, m_.Scale(fullChildrenH) + 6)
                               : (m_.HasButton(box.hasChildren, box.expanded) ? 6 - lw / 2 : 0);
    // An open node's subtree reaches down by its children's height; a fixed
    // 999,999 pixels would lose the top of taller charts.
    n->drawFlag = area.Right >= cellLeft && int64_t(cellLeft) + cw >= area.Left && area.Bottom >= rowTop &&
                  int64_t(d < 0 ? c : int64_t(c) + d) >= area.Top;
    const int w = m_.EX(box.width, box.height, box.rectangle) + lw;
    int left = cellLeft;
    if (box.align == caCenter)
        left += (cw - w) / 2;
    else if (box.align == caRight)
        left += cw - w;
    n->animX = left;
    n->animY = rowTop;
    return c;
}

int TOcLayout::ChildrenLeft(TOcChildAlign align, int cellLeft, int cw, int childrenW)
{
    if (align == caLeft)
        return cellLeft;
    const int spare = cw - childrenW;
    return cellLeft + (align == caRight ? spare : spare / 2);
}

TPoint TOcLayout::PlaceRoot(TOcNode* root, bool record)
{
    const TPoint o = m_.Origin();
    root->drawFlag = true;
    root->animX = o.X;
    root->animY = o.Y;
    if (record)
        root->SetAnimStart(o.X, o.Y);
    return o;
}

void TOcLayout::Pass(const TRect& area, bool record, TOcNode* animating)
{
    if (SizesFromCopy(animating)) {
        PassOverCopy(area, record, animating);
        return;
    }
    const int iy = m_.IY();
    const TOcMetrics full = m_.FullScale();
    const int64_t fixedW = int64_t(full.LW()) + full.IX();
    TOcNode* root = tree_.Root();
    EnsureSizes(root);
    // The cell width of a node whose open ancestors are sized; the hot path of
    // the pass, so without the general helpers.
    auto cellW = [&](TOcNode* n) -> int {
        const bool open = n->Expanded() && n->HasChildren();
        if (open && !(tree_.HasCachedW(n) && tree_.HasCachedH(n)))
            EnsureSizes(n);
        const int64_t own = full.EX(n) + fixedW;
        return m_.Scale(open && n->childrenWidth > own ? n->childrenWidth : own);
    };
    const TPoint o = PlaceRoot(root, record);
    // Start positions of a pending animation are wanted everywhere, not only in the area.
    const bool recordAll = record && animating != nullptr;
    using Frame = TOcLayoutScratch::Family;
    // Family by family in level order, for the same reason as the sizes; each
    // frame is one family, its members placed left to right.
    std::vector<Frame>& queue = tree_.LayoutScratch().families;
    const bool large = tree_.Count() > kCachedNodes;
    queue.assign(1, Frame{root->FirstChildLink(), root, o.X, o.Y, true});
    for (size_t head = 0; head < queue.size();) {
        Frame& top = queue[head];
        TOcNode* n = top.next;
        if (!n) {
            if (++head + kLookAhead < queue.size())
                FetchFamily(queue[head + kLookAhead].next, large);
            continue;
        }
        top.next = n->NextSiblingLink();
        TOcNode* parent = top.parent;
        const int cellLeft = top.childLeft;
        const int rowTop = top.childTop;
        const bool visible = top.childVisible;
        const int cw = cellW(n);
        if (parent->Expanded())
            top.childLeft += cw;
        if (record)
            n->drawFlag = false;
        int c = 0;
        if (visible) {
            c = PlaceShown(n, TOcLayoutCopy::BoxOf(n), cellLeft, rowTop, cw, n->Expanded() ? FullChildrenH(n) : 0,
                           area);
        } else {
            n->drawFlag = parent->drawFlag;
            const int ex = m_.EX(n);
            int x = parent->animX;
            if (parent->ChildAlign() == caCenter)
                x += (m_.EX(parent) - ex) / 2;
            else if (parent->ChildAlign() == caRight)
                x += m_.EX(parent) - ex;
            n->animX = x;
            n->animY = parent->animY + iy / 4;
        }
        if (record)
            n->SetAnimStart(n->animX, n->animY);
        TOcNode* first = n->FirstChildLink();
        if (first && (n->Expanded() || n == animating) && (n->drawFlag || recordAll)) {
            const int left = ChildrenLeft(n->ChildAlign(), cellLeft, cw, ChildrenW(n));
            // May move the queue: top is not used after this.
            queue.push_back({first, n, left, visible ? c : rowTop, visible && n->Expanded()});
        }
    }
}

bool TOcLayout::SizesFromCopy(TOcNode* animating)
{
    TOcNode* root = tree_.Root();
    if (!root->FirstChildLink() || (tree_.HasCachedW(root) && tree_.HasCachedH(root)))
        return false; // nothing to size below the root, or the sizes are kept
    // The copy holds the open tree only: an animation that opens a node needs
    // the closed children placed.
    if (animating && !animating->Expanded() && animating->FirstChildLink())
        return false;
    // A stale copy is made again only when every size went (the root's is
    // from an earlier epoch), not for the chain of one changed node.
    return tree_.LayoutScratch().copy.Current() || root->sizeStamp != tree_.SizeEpoch();
}

void TOcLayout::SumCopy()
{
    if (!tree_.LayoutScratch().copy.Current())
        tree_.LayoutScratch().copy.Rebuild(tree_.Root());
    const TOcMetrics full = m_.FullScale();
    const int64_t fixedW = int64_t(full.LW()) + full.IX(), fixedH = int64_t(full.LW()) + full.IY();
    TOcLayoutScratch& scratch = tree_.LayoutScratch();
    const TOcLayoutCopy::Box* boxes = scratch.copy.Boxes().data();
    const std::vector<uint32_t>& families = scratch.copy.Families();
    scratch.sums.resize(families.size());
    TOcLayoutScratch::Sums* sums = scratch.sums.data();
    // From the last family back: an open member's family comes after its own,
    // so its sums are ready when its family is summed. Going back, the open
    // members are met in reverse order, and so their families too.
    size_t end = scratch.copy.Boxes().size();
    size_t memberFamily = families.size();
    for (size_t f = families.size(); f-- > 0;) {
        const size_t begin = end - families[f];
        int64_t w = 0, h = 0;
        for (size_t j = end; j-- > begin;) {
            const TOcLayoutCopy::Box& c = boxes[j];
            int64_t cellW = full.EX(c.width, c.height, c.rectangle) + fixedW;
            int64_t cellH = full.EY(c.width, c.height, c.rectangle) + fixedH;
            if (c.Open()) {
                const TOcLayoutScratch::Sums& below = sums[--memberFamily];
                cellW = std::max(cellW, below.width);
                cellH += below.height;
            }
            w += cellW;
            h = std::max(h, cellH);
        }
        sums[f] = {w, h};
        end = begin;
    }
}

void TOcLayout::SizeFromCopy()
{
    SumCopy();
    const TOcLayoutScratch& scratch = tree_.LayoutScratch();
    const std::vector<TOcNode*>& nodes = scratch.copy.Nodes();
    const std::vector<TOcLayoutCopy::Box>& boxes = scratch.copy.Boxes();
    const std::vector<TOcLayoutScratch::Sums>& sums = scratch.sums;
    const uint8_t epoch = tree_.SizeEpoch();
    auto keep = [epoch](TOcNode* n, const TOcLayoutScratch::Sums& s) {
        n->childrenWidth = s.width;
        n->childrenHeight = s.height;
        n->sizeStamp = epoch;
    };
    if (!sums.empty())
        keep(tree_.Root(), sums[0]);
    for (size_t j = 0, family = 0; j < nodes.size(); ++j)
        if (boxes[j].Open())
            keep(nodes[j], sums[++family]);
}

void TOcLayout::PassOverCopy(const TRect& area, bool record, TOcNode* animating)
{
    TOcLayoutScratch& scratch = tree_.LayoutScratch();
    TOcNode* root = tree_.Root();
    SumCopy();
    TOcNode* const* nodes = scratch.copy.Nodes().data();
    const TOcLayoutCopy::Box* boxes = scratch.copy.Boxes().data();
    const size_t memberCount = scratch.copy.Nodes().size();
    const std::vector<uint32_t>& families = scratch.copy.Families();
    const TOcLayoutScratch::Sums* sums = scratch.sums.data();
    std::vector<TOcLayoutScratch::PlacedFamily>& placed = scratch.placed;
    const TOcMetrics full = m_.FullScale();
    const int64_t fixedW = int64_t(full.LW()) + full.IX();
    const uint8_t epoch = tree_.SizeEpoch();
    const TPoint o = m_.Origin();
    if (!families.empty()) {
        root->childrenWidth = sums[0].width;
        root->childrenHeight = sums[0].height;
        root->sizeStamp = epoch;
    }
    PlaceRoot(root, record);
    const bool recordAll = record && animating != nullptr;
    // Each node is written once, in the copy's order: its sums, and its place
    // when its family is among those the node-by-node pass would visit.
    placed.assign(1, {0, o.X, o.Y});
    size_t head = 0, j = 0, memberFamily = 0;
    for (size_t f = 0; f < families.size(); ++f) {
        const bool placing = head < placed.size() && placed[head].family == f;
        TOcLayoutScratch::PlacedFamily family = placing ? placed[head++] : TOcLayoutScratch::PlacedFamily{};
        for (const size_t end = j + families[f]; j < end; ++j) {
            if (j + kWriteAhead < memberCount)
                __builtin_prefetch(nodes[j + kWriteAhead], 1);
            const TOcLayoutCopy::Box& c = boxes[j];
            TOcNode* n = nodes[j];
            TOcLayoutScratch::Sums s{0, 0};
            const bool open = c.Open();
            if (open) {
                s = sums[++memberFamily];
                n->childrenWidth = s.width;
                n->childrenHeight = s.height;
                n->sizeStamp = epoch;
            }
            if (!placing)
                continue;
            const int64_t own = full.EX(c.width, c.height, c.rectangle) + fixedW;
            const int cw = m_.Scale(std::max(own, s.width));
            const int cellLeft = family.childLeft;
            family.childLeft += cw;
            const int childTop = PlaceShown(n, c, cellLeft, family.childTop, cw, s.height, area);
            if (record)
                n->SetAnimStart(n->animX, n->animY);
            if (open && (n->drawFlag || recordAll))
                placed.push_back({uint32_t(memberFamily),
                                  ChildrenLeft(TOcChildAlign(c.align), cellLeft, cw, m_.Scale(s.width)), childTop});
        }
    }
}

bool TOcLayout::InShape(const TOcNode* node, const TRect& box, TPoint p) const
{
    const int w = box.Width(), h = box.Height();
    switch (node->Shape()) {
    case shRoundRect: {
        const int r = std::min(m_.NW(node), m_.NH(node)) / 4;
        if ((box.Left + r <= p.X && p.X <= box.Right - r) || (box.Top + r <= p.Y && p.Y <= box.Bottom - r))
            return true;
        const int64_t cx = p.X < box.Left + r ? box.Left + r : box.Right - r;
        const int64_t cy = p.Y < box.Top + r ? box.Top + r : box.Bottom - r;
        const int64_t dx = p.X - cx, dy = p.Y - cy;
        return dx * dx + dy * dy <= int64_t(r) * r;
    }
    case shEllipse: {
        const int64_t a = w / 2, b = h / 2;
        if (a <= 0 || b <= 0)
            return false;
        int64_t dx = std::llabs(p.X - (box.Left + a)), dy = std::llabs(p.Y - (box.Top + b)), r = 0;
        if (a < b) {
            dx = dx * b / a;
            r = b;
        } else {
            dy = dy * a / b;
            r = a;
        }
        return dx * dx + dy * dy <= r * r;
    }
    case shDiamond: {
        const int64_t a = w / 2, b = h / 2;
        const int64_t dx = std::llabs(p.X - (box.Left + a)), dy = std::llabs(p.Y - (box.Top + b));
        return a * b >= dx * b + dy * a;
    }
    default: return true;
    }
}

TOcLayout::Hit TOcLayout::HitTest(TPoint physical)
{
    const TPoint p = m_.ToLogical(physical);
    const int lw = m_.LW(), iy = m_.IY();
    const TPoint o = m_.Origin();
    TOcNode* node = tree_.Root();
    int x0 = o.X, y0 = o.Y;
    for (;;) {
        const bool isRoot = node->IsRoot();
        const int y1 = isRoot ? y0 - 7 : y0 + RowHeight(node);
        if (!isRoot) {
            const int x1 = x0 + CellW(node);
            if (p.X < x0 || p.X >= x1)
                return {};
            if (p.Y >= y0 && p.Y < y1 + 6) {
                TOcHitFlags flags = 0;
                TRect box = BoxRect({node, x0, y0});
                box.Top += iy;
                if (p.Y < box.Top)
                    flags |= htAbove;
                if (p.X < box.Left)
                    flags |= htLeft;
                if (p.X >= box.Right)
                    flags |= htRight;
                if (flags == 0) {
                    if (p.Y < box.Bottom) {
                        flags = htOnBox;
                        if (m_.Box3D(node))
                            box.Bottom -= lw;
                        if (p.Y < box.Bottom && InShape(node, box, p))
                            flags |= htOnShape;
                    }
                    const int mid = box.Left + m_.EX(node) / 2;
                    if (m_.HasButton(node) && p.X >= mid - 5 && p.X < mid + 6 && p.Y >= box.Bottom - 6)
                        flags |= htOnButton;
                }
                if (!(p.Y >= y1 && !(flags & htOnButton)))
                    return {node, flags};
            }
        }
        if (!node->Expanded() || !node->HasChildren()) {
            if (!isRoot && p.Y >= y1 && p.Y <= y1 + m_.EY(node))
                return {node, htBelow};
            return {};
        }
        // Only the child whose column holds the point can be hit.
        int left = x0 + ChildOffset(node);
        const int top = std::max(y1, y0);
        TOcNode* next = nullptr;
        for (TOcNode* c : node->Children()) {
            const int w = CellW(c);
            if (p.X >= left && p.X < left + w) {
                next = c;
                break;
            }
            left += w;
        }
        if (!next)
            return {};
        node = next;
        x0 = left;
        y0 = top;
    }
}
