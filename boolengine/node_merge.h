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

// The nodes a whole merge leaves, in the merge's order (x ascending, equal
// x by y descending); 'known' is false when they could not be told.
struct Survivors {
    std::vector<Node*> nodes;
    bool known = false;
    // Whether nodes of equal x lie at least three marges apart in y.
    bool columnsSpaced = false;
};

// Merges every node of the graph; answers the number of merges.
int MergeAll(Graph* graph, int64_t marge, Survivors* survivors = nullptr);

// The same merge after new nodes were added to a graph whose other nodes
// were left by MergeAll as 'survivors' (none of them moved or gone since):
// old nodes lie beyond the marge of each other, so only places near a new
// node can merge, and only those are ordered and walked. Answers -1, having
// merged nothing, when two of those nodes lie at one place: their order is
// then the whole merge's to decide.
int MergeAfterAdding(Graph* graph, int64_t marge, const Survivors& survivors, const std::vector<Node*>& added);

}  // namespace nodemerge
