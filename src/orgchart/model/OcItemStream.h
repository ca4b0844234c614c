#pragma once

// The chart's stored "Items" byte block: the whole node tree, pre-order, in
// little-endian integers and GBK texts (see OcItemStream.cpp for the layout).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Object.h"

class TOcTree;

// A block that cannot be read, or a tree that cannot be stored in 16-bit fields.
class EOcStreamError : public Exception {
public:
    EOcStreamError(const std::string& message, int64_t offset) : Exception(message), offset_(offset) {}
    // Byte offset of the fault in the block (-1 for writing errors).
    int64_t Offset() const { return offset_; }

private:
    int64_t offset_;
};

class TOcItemStream {
public:
    // Replaces the tree's nodes with the block's. The block is checked whole
    // first: a broken one raises EOcStreamError naming resource and offset and
    // leaves the tree as it was.
    static void Read(TOcTree& tree, const uint8_t* data, size_t size, const std::string& resource);
    static void Read(TOcTree& tree, const std::vector<uint8_t>& bytes, const std::string& resource)
    {
        Read(tree, bytes.data(), bytes.size(), resource);
    }
    // The block for the tree. A text of 65,536 bytes or more, or 65,536 children
    // or more under one node, raise EOcStreamError and nothing is written.
    static std::vector<uint8_t> Write(TOcTree& tree);

    static constexpr int kRecordSize = 13;
};
