#include <gtest/gtest.h>

#include <QFile>

#include <string>
#include <vector>

#include "orgchart/model/OcItemStream.h"
#include "orgchart/model/OcTree.h"
#include "stream/FormReader.h"

namespace {

// The chart's block as the organisation screen stores it.
std::vector<uint8_t> StoredBlock()
{
    QFile file(":/screens/OrgForm.form");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const std::string s = text.toStdString();
    const auto chart = s.find("object org: TOrgChart");
    const auto open = s.find("Items = {", chart);
    const auto close = s.find('}', open);
    std::string hex;
    for (size_t i = open + 9; i < close; ++i)
        if (isxdigit(static_cast<unsigned char>(s[i])))
            hex += s[i];
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string ReadError(TOcTree& tree, const std::vector<uint8_t>& bytes)
{
    try {
        TOcItemStream::Read(tree, bytes, "TOrgForm");
    } catch (const EOcStreamError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(OcItemStream, TheStoredChartReadsAsTheScreenDescribesIt)
{
    const std::vector<uint8_t> block = StoredBlock();
    ASSERT_EQ(block.size(), 710u);
    TOcTree tree;
    TOcItemStream::Read(tree, block, "TOrgForm");
    EXPECT_EQ(tree.Count(), 26);
    ASSERT_EQ(tree.TopCount(), 1);
    TOcNode* first = tree.Items(0);
    EXPECT_EQ(first->Level(), 0);
    EXPECT_EQ(first->Count(), 1);
    EXPECT_EQ(first->Text(), "塔维克建筑有限公司");
    EXPECT_EQ(first->ImageAlign(), iaLC);
    TOcNode* office = first->Items(0)->Items(0);
    EXPECT_EQ(office->Text(), "总经理办公室");
    EXPECT_EQ(office->Count(), 8);
    EXPECT_EQ(office->Width(), 100);
    EXPECT_EQ(tree.Selected(), first);
    int levels[7] = {};
    std::vector<int> images;
    for (TOcNode* n = first; n; n = n->GetNext()) {
        EXPECT_FALSE(n->Expanded());
        EXPECT_EQ(n->Color(), static_cast<TColor>(kOcColorNone));
        ++levels[n->Level()];
        images.push_back(n->ImageIndex());
    }
    EXPECT_EQ(std::vector<int>(levels, levels + 7), (std::vector<int>{1, 1, 1, 8, 4, 10, 1}));
    EXPECT_EQ(images, (std::vector<int>{0, 1, 1, 2, 1, 1, 1, 1, 1, 1, 0, 2, 2, 2, 2, 1, 1, 1, 1, 1, 2, 1, 0, 1, 0,
                                        0}));
    EXPECT_EQ(TOcItemStream::Write(tree), block); // byte for byte
}

TEST(OcItemStream, EntriesStartWhereTheLayoutPutsThem)
{
    const std::vector<uint8_t> block = StoredBlock();
    auto at = [&](size_t offset, std::vector<uint8_t> bytes) {
        return std::vector<uint8_t>(block.begin() + offset, block.begin() + offset + bytes.size()) == bytes;
    };
    EXPECT_TRUE(at(0, {0x00, 0x00, 0x01, 0x00}));
    EXPECT_TRUE(at(4, {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x1F, 1, 0, 0, 0, 2, 0x12, 0x00}));
    EXPECT_TRUE(at(62, {0x64, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x1F, 1, 0, 1, 0, 2, 0x0C, 0x00}));
    EXPECT_TRUE(at(89, {0x08, 0x00}));
    EXPECT_TRUE(at(683 + 13, {0x0A, 0x00}));
    EXPECT_TRUE(at(708, {0x00, 0x00}));
}

TEST(OcItemStream, RoundTripKeepsEveryField)
{
    TOcTree tree;
    TOcNode* a = tree.Add(nullptr);
    a->SetText("甲 A");
    a->SetWidth(65535);
    a->SetHeight(20);
    a->SetColor(0x123456);
    a->SetChildAlign(caRight);
    a->SetShape(shDiamond);
    a->SetImageIndex(-1);
    a->SetImageAlign(iaBR);
    TOcNode* b = tree.Add(a);
    b->SetShape(shEllipse);
    tree.Add(nullptr)->SetText(QString());
    tree.Root()->SetText("root");
    const std::vector<uint8_t> bytes = TOcItemStream::Write(tree);
    TOcTree back;
    TOcItemStream::Read(back, bytes, "test");
    EXPECT_EQ(TOcItemStream::Write(back), bytes);
    EXPECT_EQ(back.Count(), 3);
    EXPECT_EQ(back.Root()->Text(), "root");
    TOcNode* a2 = back.Items(0);
    EXPECT_EQ(a2->Text(), "甲 A");
    EXPECT_EQ(a2->Width(), 65535);
    EXPECT_EQ(a2->Color(), 0x123456);
    EXPECT_EQ(a2->ChildAlign(), caRight);
    EXPECT_EQ(a2->Shape(), shDiamond);
    EXPECT_EQ(a2->ImageAlign(), iaBR);
    EXPECT_EQ(a2->Items(0)->Shape(), shEllipse);
}

// Repeated texts are converted once per block: texts that repeat, all differ
// (past what the reader remembers), or share their first bytes read back as
// written, and reading into a full tree again gives the same.
TEST(OcItemStream, RepeatedAndDistinctTextsReadBackAsWritten)
{
    struct Case {
        const char* name;
        int nodes;
        QString (*text)(int);
    };
    const Case cases[] = {
        {"one text", 300, [](int) { return QStringLiteral("部门"); }},
        {"all different", 5000, [](int i) { return QStringLiteral("岗位%1").arg(i); }},
        {"prefixes", 300, [](int i) { return QStringLiteral("部门经理").left(i % 5); }},
        {"mixed", 300, [](int i) { return i % 3 ? QStringLiteral("主管 A") : QString::number(i); }},
        // Runs of one text, the later ones among texts too many to remember.
        {"runs past the table", 12000, [](int i) { return QStringLiteral("岗位%1").arg(i / 3); }},
    };
    for (const Case& c : cases) {
        TOcTree source;
        std::vector<TOcNode*> made{source.Add(nullptr)};
        for (int i = 1; i < c.nodes; ++i)
            made.push_back(source.Add(made[static_cast<size_t>(i - 1) / 4]));
        int i = 0;
        for (TOcNode* n = source.FirstNode(); n; n = n->GetNext())
            n->SetText(c.text(i++));
        const std::vector<uint8_t> bytes = TOcItemStream::Write(source);
        TOcTree back;
        for (int round = 0; round < 2; ++round) {
            TOcItemStream::Read(back, bytes, "test");
            ASSERT_EQ(back.Count(), c.nodes) << c.name;
            i = 0;
            for (TOcNode* n = back.FirstNode(); n; n = n->GetNext())
                ASSERT_EQ(n->Text(), c.text(i++)) << c.name << " node " << i;
            EXPECT_EQ(TOcItemStream::Write(back), bytes) << c.name;
        }
    }
}

TEST(OcItemStream, BrokenBlocksFailWithTheOffsetAndLeaveTheTreeAsItWas)
{
    const std::vector<uint8_t> good = StoredBlock();
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* expected;
    };
    auto with = [&](size_t at, std::vector<uint8_t> patch) {
        std::vector<uint8_t> b = good;
        for (size_t i = 0; i < patch.size() && at + i < b.size(); ++i)
            b[at + i] = patch[i];
        return b;
    };
    const Case cases[] = {
        {"empty", {}, "a text length runs past the end at byte 0"},
        {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 700), "runs past the end"},
        {"count beyond the data", with(2, {0xFF, 0xFF}), "65535 nodes cannot fit in the 706 bytes that remain at byte 2"},
        {"text beyond the end", with(17, {0xFF, 0x7F}), "a text runs past the end at byte 19"},
        {"first shape past the last", with(13, {4}), "shape 4 is not 0 to 3 at byte 13"},
        {"largest shape byte", with(13, {255}), "shape 255 is not 0 to 3 at byte 13"},
        {"trailing bytes", [&] { auto b = good; b.push_back(0); return b; }(), "1 bytes follow the last node at byte 710"},
        {"children beyond the data", with(89, {0x40, 0x00}), "64 nodes cannot fit"},
    };
    for (const Case& k : cases) {
        TOcTree tree;
        TOcNode* keep = tree.Add(nullptr);
        keep->SetText("kept");
        const std::string error = ReadError(tree, k.bytes);
        EXPECT_NE(error.find(k.expected), std::string::npos) << k.name << ": " << error;
        EXPECT_NE(error.find("Items of TOrgForm"), std::string::npos) << k.name;
        EXPECT_EQ(tree.Count(), 1) << k.name;
        EXPECT_EQ(tree.Items(0), keep) << k.name;
    }
    // The last shape is still one.
    TOcTree tree;
    TOcItemStream::Read(tree, with(13, {shDiamond}), "TOrgForm");
    EXPECT_EQ(tree.Items(0)->Shape(), shDiamond);
}

TEST(OcItemStream, WriterRefusesWhatSixteenBitsCannotHold)
{
    TOcTree tree;
    TOcNode* a = tree.Add(nullptr);
    a->SetText(QString(32768, QChar(u'字'))); // 65,536 bytes in GBK
    EXPECT_THROW(TOcItemStream::Write(tree), EOcStreamError);
    a->SetText(QString(32767, QChar(u'字')));
    EXPECT_EQ(TOcItemStream::Write(tree).size(), 4u + 13 + 2 + 65534 + 2);
    for (int i = 0; i < 65536; ++i)
        tree.Add(a);
    EXPECT_THROW(TOcItemStream::Write(tree), EOcStreamError);
}

TEST(OcItemStream, DeepChainReadsAndWritesWithoutRecursion)
{
    TOcTree tree;
    TOcNode* n = tree.Add(nullptr);
    for (int i = 1; i < 100000; ++i)
        n = tree.Add(n);
    const std::vector<uint8_t> bytes = TOcItemStream::Write(tree);
    EXPECT_EQ(bytes.size(), 4u + 100000u * 17u);
    TOcTree back;
    TOcItemStream::Read(back, bytes, "chain");
    EXPECT_EQ(back.Count(), 100000);
}
