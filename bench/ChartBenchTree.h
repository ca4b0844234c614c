#pragma once

// The generated charts of the chart benchmarks.

#include <random>
#include <vector>

#include "orgchart/model/OcTree.h"

// Breadth first, each node taking 1 to 8 children until count nodes exist.
inline void Generate(TOcTree& tree, int count)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> fanOut(1, 8);
    std::vector<TOcNode*> queue{tree.Add(nullptr)};
    int made = 1;
    for (size_t head = 0; made < count; ++head) {
        TOcNode* parent = queue[head];
        for (int k = fanOut(random); k > 0 && made < count; --k, ++made)
            queue.push_back(tree.Add(parent));
    }
    tree.FullExpand();
}
