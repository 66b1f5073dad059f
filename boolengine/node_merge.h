#pragma once
// Merging the nodes of a graph that lie within the marge of each other
// (step "Node to Node" of the crossing search): every node in turn, by x
// ascending and equal x by y descending, takes over the later nodes within
// the marge in x and in y.
#include <cstdint>
#include <vector>

class Graph;
class Node;

namespace nodemerge {

// A node and where it stood when the nodes were ordered.
struct Place {
    int64_t x, y;
    Node* node;
};

// Merges every node of the graph; answers the number of merges. With
// 'survivors', also the nodes left afterwards, in the merge's order.
int MergeAll(Graph* graph, int64_t marge, std::vector<Place>* survivors = nullptr);

// The same merge after new nodes were added to a graph whose other nodes
// were left by MergeAll as 'survivors' (none of them moved or gone since):
// old nodes lie beyond the marge of each other, so only places near a new
// node can merge, and only those are ordered and walked.
int MergeAfterAdding(Graph* graph, int64_t marge, const std::vector<Place>& survivors,
                     const std::vector<Node*>& added);

// Whether nodes of equal x in 'survivors' lie at least three marges apart in y.
bool ColumnsSpaced(const std::vector<Place>& survivors, int64_t marge);

}  // namespace nodemerge
