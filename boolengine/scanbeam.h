#pragma once
// The sweep over a crossing-free graph that decides, for every link, whether
// the regions on its left and right lie inside group A and group B.
#include <cstdint>
#include <set>
#include <vector>

#include "boolengine/chunkarena.h"

class BoolLink;
class Bool_Engine;

class IScanBeam {
public:
    IScanBeam(Bool_Engine* engine, std::vector<BoolLink*> links);
    IScanBeam(const IScanBeam&) = delete;
    IScanBeam& operator=(const IScanBeam&) = delete;
    // Sets leftA, rightA, leftB, rightB of every link; links that coincide
    // with another (same two nodes) are marked, the kept one carries the
    // flags of the whole bundle.
    void SetGroupFlags();

    struct Record {
        BoolLink* link;
        int64_t x0, y0, x1, y1;  // left and right end
        int dA, dB;              // change of the counts when crossing downwards
        int cA = 0, cB = 0;      // counts of the region just below the link
    };

private:
    struct Counts {
        int a = 0, b = 0;
    };
    struct Probe {
        long double x, y;
    };
    struct Order {
        using is_transparent = void;
        const long double* sweepX;
        bool operator()(const Record* p, const Record* q) const;
        bool operator()(const Record* p, const Probe& probe) const;
        bool operator()(const Probe& probe, const Record* p) const;
    };
    using Beam = std::set<Record*, Order, ArenaAllocator<Record*>>;

    bool Inside(int count) const;
    Counts CountsAt(const Beam& beam, int64_t x, long double y) const;
    void FlagLink(BoolLink* link, Counts above, Counts below, bool aboveIsLeft);

    Bool_Engine* m_engine;
    std::vector<BoolLink*> m_links;
    bool m_winding;
};
