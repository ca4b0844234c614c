// Feeds arbitrary bytes to the chart's "Items" reader. A refused block must
// leave the tree as it was; an accepted one must write out, read back to the
// same tree and write the same bytes again. Any crash, hang or stray exception
// is a finding.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "orgchart/model/OcItemStream.h"
#include "orgchart/model/OcTree.h"

namespace {

[[noreturn]] void Finding(const char* what)
{
    std::fprintf(stderr, "items fuzz finding: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TOcTree tree;
    TOcNode* kept = tree.Add(nullptr);
    kept->SetText(QStringLiteral("kept"));
    try {
        TOcItemStream::Read(tree, data, size, "fuzz");
    } catch (const EOcStreamError&) {
        if (tree.Count() != 1 || tree.FirstNode() != kept)
            Finding("a refused block changed the tree");
        return 0;
    }
    std::vector<uint8_t> written;
    try {
        written = TOcItemStream::Write(tree);
    } catch (const EOcStreamError&) {
        Finding("a tree the reader accepted could not be written");
    }
    TOcTree back;
    try {
        TOcItemStream::Read(back, written, "rewritten");
    } catch (const EOcStreamError&) {
        Finding("written block does not read back");
    }
    if (back.Count() != tree.Count())
        Finding("node count changed in a write and read");
    if (TOcItemStream::Write(back) != written)
        Finding("second write differs from the first");
    return 0;
}
