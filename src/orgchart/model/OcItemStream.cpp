// Layout of the block (integers little-endian):
//   root text length (2, unsigned), root text, top-level count (2, unsigned),
//   then per node, pre-order: Width (2), Height (2), Color (4, signed),
//   ChildAlign (1), Shape (1), ImageIndex (2, signed), ImageAlign (1),
//   text length (2), text, child count (2), the children.

#include "orgchart/model/OcItemStream.h"

#include <string_view>
#include <unordered_map>

#include <QByteArray>

#include "orgchart/model/OcTree.h"
#include "platform/canvas/text/CodePage.h"

namespace {

uint16_t Le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

int32_t Le32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
}

// The block's bytes, taken a field or a record at a time: one bounds check per
// take, so that a 13-byte record costs one rather than seven.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size, const std::string& resource)
        : data_(data), size_(size), resource_(resource)
    {
    }
    size_t Pos() const { return pos_; }
    size_t Left() const { return size_ - pos_; }

    // Out of line and cold, so that the reading paths stay short.
    [[noreturn, gnu::cold, gnu::noinline]] void Fail(const std::string& problem, size_t at) const
    {
        throw EOcStreamError("Items of " + resource_ + ": " + problem + " at byte " + std::to_string(at) + " (block of " +
                                 std::to_string(size_) + " bytes)",
                             static_cast<int64_t>(at));
    }
    [[noreturn, gnu::cold, gnu::noinline]] void FailPastEnd(const char* what) const
    {
        Fail(std::string(what) + " runs past the end", pos_);
    }
    [[noreturn, gnu::cold, gnu::noinline]] void FailRange(const char* field, int value, const char* range, size_t at) const
    {
        Fail(std::string(field) + " " + std::to_string(value) + " is not " + range, at);
    }
    [[noreturn, gnu::cold, gnu::noinline]] void FailCount(int count, size_t at) const
    {
        Fail(std::to_string(count) + " nodes cannot fit in the " + std::to_string(size_ - pos_) + " bytes that remain", at);
    }
    const uint8_t* Take(size_t n, const char* what)
    {
        if (size_ - pos_ < n)
            FailPastEnd(what);
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    uint16_t U16(const char* what) { return Le16(Take(2, what)); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    const std::string& resource_;
};

struct Record {
    uint16_t width = 0, height = 0;
    int32_t color = 0;
    uint8_t childAlign = 0, shape = 0, imageAlign = 0;
    int16_t imageIndex = -1;
};

Record ReadRecord(Cursor& in)
{
    const size_t start = in.Pos();
    const uint8_t* p = in.Take(TOcItemStream::kRecordSize, "a node record");
    Record r;
    r.width = Le16(p);
    r.height = Le16(p + 2);
    r.color = Le32(p + 4);
    r.childAlign = p[8];
    if (r.childAlign > caRight)
        in.FailRange("child alignment", r.childAlign, "0 to 2", start + 8);
    r.shape = p[9];
    if (r.shape > shDiamond)
        in.FailRange("shape", r.shape, "0 to 3", start + 9);
    r.imageIndex = static_cast<int16_t>(Le16(p + 10));
    r.imageAlign = p[12];
    if (r.imageAlign >= kOcImageAlignCount)
        in.FailRange("image alignment", r.imageAlign, "0 to 12", start + 12);
    return r;
}

// Each node takes at least its record, a text length and a child count.
constexpr size_t kSmallestEntry = TOcItemStream::kRecordSize + 4;

// Charts repeat their texts (a department of each kind under every branch, a
// vacant post), and converting a short text costs more than building its node:
// each distinct text is converted once per block and its characters shared.
class TextDecoder {
public:
    // Valid until the next call.
    const QString& Decode(const uint8_t* bytes, uint16_t length)
    {
        if (length == 0)
            return empty_;
        const std::string_view key(reinterpret_cast<const char*>(bytes), length);
        // Siblings often share their text: comparing with the last costs less than hashing.
        if (key == lastKey_)
            return *last_;
        lastKey_ = key;
        if (auto it = seen_.find(key); it != seen_.end())
            return *(last_ = &it->second);
        QString text = TCodePage::FromGbk(key.data(), length);
        if (seen_.size() < kRemembered)
            return *(last_ = &seen_.emplace(key, std::move(text)).first->second);
        unremembered_ = std::move(text);
        return *(last_ = &unremembered_);
    }

private:
    // Bounds the lookup table of a chart whose texts are all different.
    static constexpr size_t kRemembered = 4096;
    // Keys point into the block, which outlives the read.
    std::unordered_map<std::string_view, QString> seen_;
    const QString empty_;
    QString unremembered_;
    // The text returned last, for its bytes (never empty, so never matched at first).
    std::string_view lastKey_;
    const QString* last_ = &empty_;
};

// A list head: the owner's text and how many entries follow.
struct Head {
    const uint8_t* text;
    uint16_t length;
    int count;
};

// Reads one list head and checks the count against what is left of the block.
// Inlined: read once per node on both walks.
[[gnu::always_inline]] inline Head ReadHead(Cursor& in)
{
    Head h;
    h.length = in.U16("a text length");
    h.text = in.Take(h.length, "a text");
    const size_t countAt = in.Pos();
    h.count = in.U16("a child count");
    if (static_cast<size_t>(h.count) * kSmallestEntry > in.Left())
        in.FailCount(h.count, countAt);
    return h;
}

// Walks the whole block; with a tree, builds it on the way.
void Walk(Cursor& in, TOcTree* tree)
{
    TextDecoder decoder;
    const Head root = ReadHead(in);
    if (tree) {
        tree->Root()->SetText(decoder.Decode(root.text, root.length));
        tree->ReserveChildren(nullptr, root.count);
    }
    struct Frame {
        TOcNode* node; // null while only checking, or when node creation was refused
        int left;
    };
    std::vector<Frame> stack{{tree ? tree->Root() : nullptr, root.count}};
    while (!stack.empty()) {
        if (stack.back().left == 0) {
            stack.pop_back();
            continue;
        }
        --stack.back().left;
        TOcNode* parent = stack.back().node;
        const Record r = ReadRecord(in);
        TOcNode* node = nullptr;
        if (tree && parent)
            node = tree->Add(parent == tree->Root() ? nullptr : parent, 0);
        if (node) {
            node->SetWidth(r.width);
            node->SetHeight(r.height);
            node->SetColor(r.color);
            node->SetChildAlign(static_cast<TOcChildAlign>(r.childAlign));
            node->SetShape(static_cast<TOcShape>(r.shape));
            node->SetImageIndex(r.imageIndex);
            node->SetImageAlign(static_cast<TOcImageAlign>(r.imageAlign));
        }
        const Head head = ReadHead(in);
        if (node) {
            node->SetText(decoder.Decode(head.text, head.length));
            if (head.count > 0)
                tree->ReserveChildren(node, head.count);
        }
        stack.push_back({node, head.count});
    }
    if (in.Left() != 0)
        in.Fail(std::to_string(in.Left()) + " bytes follow the last node", in.Pos());
}

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutHead(std::vector<uint8_t>& out, TOcNode* node)
{
    const QByteArray text = TCodePage::ToGbk(node->GetText());
    if (text.size() > 0xFFFF)
        throw EOcStreamError("Items: the text of a node is " + std::to_string(text.size()) +
                                 " bytes long; at most 65,535 can be stored",
                             -1);
    if (node->Count() > 0xFFFF)
        throw EOcStreamError("Items: a node has " + std::to_string(node->Count()) +
                                 " children; at most 65,535 can be stored",
                             -1);
    PutU16(out, static_cast<uint16_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
    PutU16(out, static_cast<uint16_t>(node->Count()));
}

void PutRecord(std::vector<uint8_t>& out, const TOcNode* node)
{
    PutU16(out, static_cast<uint16_t>(node->Width()));
    PutU16(out, static_cast<uint16_t>(node->Height()));
    const auto color = static_cast<uint32_t>(node->Color());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(color >> shift));
    out.push_back(node->ChildAlign());
    out.push_back(node->Shape());
    PutU16(out, static_cast<uint16_t>(node->ImageIndex()));
    out.push_back(node->ImageAlign());
}

} // namespace

void TOcItemStream::Read(TOcTree& tree, const uint8_t* data, size_t size, const std::string& resource)
{
    {
        Cursor check(data, size, resource);
        Walk(check, nullptr);
    }
    tree.Clear();
    Cursor in(data, size, resource);
    Walk(in, &tree);
}

std::vector<uint8_t> TOcItemStream::Write(TOcTree& tree)
{
    std::vector<uint8_t> out;
    PutHead(out, tree.Root());
    struct Frame {
        TOcNode* node;
        size_t next;
    };
    std::vector<Frame> stack{{tree.Root(), 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.node->Children().size()) {
            stack.pop_back();
            continue;
        }
        TOcNode* child = top.node->Children()[top.next++];
        PutRecord(out, child);
        PutHead(out, child);
        stack.push_back({child, 0});
    }
    return out;
}
