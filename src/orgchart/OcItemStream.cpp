// Layout of the block (integers little-endian):
//   root text length (2, unsigned), root text, top-level count (2, unsigned),
//   then per node, pre-order: Width (2), Height (2), Color (4, signed),
//   ChildAlign (1), Shape (1), ImageIndex (2, signed), ImageAlign (1),
//   text length (2), text, child count (2), the children.

#include "orgchart/OcItemStream.h"

#include <string_view>
#include <unordered_map>

#include <QByteArray>

#include "orgchart/OcTree.h"
#include "platform/canvas/text/CodePage.h"

namespace {

class Cursor {
public:
    Cursor(const uint8_t* data, size_t size, const std::string& resource)
        : data_(data), size_(size), resource_(resource)
    {
    }
    size_t Pos() const { return pos_; }
    bool AtEnd() const { return pos_ == size_; }

    [[noreturn]] void Fail(const std::string& problem, size_t at) const
    {
        throw EOcStreamError("Items of " + resource_ + ": " + problem + " at byte " + std::to_string(at) + " (block of " +
                                 std::to_string(size_) + " bytes)",
                             static_cast<int64_t>(at));
    }
    void Need(size_t n, const char* what) const
    {
        if (size_ - pos_ < n)
            Fail(std::string(what) + " runs past the end", pos_);
    }
    uint16_t U16(const char* what)
    {
        Need(2, what);
        const uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    int32_t I32()
    {
        Need(4, "a colour");
        const uint32_t v = uint32_t(data_[pos_]) | (uint32_t(data_[pos_ + 1]) << 8) | (uint32_t(data_[pos_ + 2]) << 16) |
                           (uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return static_cast<int32_t>(v);
    }
    uint8_t U8()
    {
        Need(1, "a node record");
        return data_[pos_++];
    }
    const uint8_t* Bytes(size_t n, const char* what)
    {
        Need(n, what);
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }

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
    in.Need(TOcItemStream::kRecordSize, "a node record");
    Record r;
    r.width = in.U16("a node record");
    r.height = in.U16("a node record");
    r.color = in.I32();
    r.childAlign = in.U8();
    if (r.childAlign > caRight)
        in.Fail("child alignment " + std::to_string(r.childAlign) + " is not 0 to 2", start + 8);
    r.shape = in.U8();
    if (r.shape > shDiamond)
        in.Fail("shape " + std::to_string(r.shape) + " is not 0 to 3", start + 9);
    r.imageIndex = static_cast<int16_t>(in.U16("a node record"));
    r.imageAlign = in.U8();
    if (r.imageAlign >= kOcImageAlignCount)
        in.Fail("image alignment " + std::to_string(r.imageAlign) + " is not 0 to 12", start + 12);
    return r;
}

// Each node takes at least its record, a text length and a child count.
constexpr size_t kSmallestEntry = TOcItemStream::kRecordSize + 4;

// Charts repeat their texts (a department of each kind under every branch, a
// vacant post), and converting a short text costs more than building its node:
// each distinct text is converted once per block and its characters shared.
class TextDecoder {
public:
    QString Decode(const uint8_t* bytes, uint16_t length)
    {
        if (length == 0)
            return {};
        const std::string_view key(reinterpret_cast<const char*>(bytes), length);
        if (auto it = seen_.find(key); it != seen_.end())
            return it->second;
        QString text = TCodePage::FromGbk(key.data(), length);
        if (seen_.size() < kRemembered)
            seen_.emplace(key, text);
        return text;
    }

private:
    // Bounds the lookup table of a chart whose texts are all different.
    static constexpr size_t kRemembered = 4096;
    // Keys point into the block, which outlives the read.
    std::unordered_map<std::string_view, QString> seen_;
};

// Reads one list head (text, count) and checks the count against what is left;
// returns the text when a decoder is given.
QString ReadHead(Cursor& in, size_t end, int& count, TextDecoder* decoder)
{
    const size_t at = in.Pos();
    const uint16_t length = in.U16("a text length");
    const uint8_t* text = in.Bytes(length, "a text");
    const size_t countAt = in.Pos();
    count = in.U16("a child count");
    if (static_cast<size_t>(count) * kSmallestEntry > end - in.Pos())
        in.Fail(std::to_string(count) + " nodes cannot fit in the " + std::to_string(end - in.Pos()) +
                    " bytes that remain",
                countAt);
    (void)at;
    return decoder ? decoder->Decode(text, length) : QString();
}

// Walks the whole block; with a tree, builds it on the way.
void Walk(Cursor& in, size_t size, TOcTree* tree)
{
    TextDecoder decoder;
    int count = 0;
    const QString rootText = ReadHead(in, size, count, tree ? &decoder : nullptr);
    if (tree) {
        tree->Root()->SetText(rootText);
        tree->ReserveChildren(nullptr, count);
    }
    struct Frame {
        TOcNode* node; // null while only checking, or when node creation was refused
        int left;
    };
    std::vector<Frame> stack{{tree ? tree->Root() : nullptr, count}};
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
        int children = 0;
        const QString text = ReadHead(in, size, children, node ? &decoder : nullptr);
        if (node) {
            node->SetText(text);
            tree->ReserveChildren(node, children);
        }
        stack.push_back({node, children});
    }
    if (!in.AtEnd())
        in.Fail(std::to_string(size - in.Pos()) + " bytes follow the last node", in.Pos());
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
        Walk(check, size, nullptr);
    }
    tree.Clear();
    Cursor in(data, size, resource);
    Walk(in, size, &tree);
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
