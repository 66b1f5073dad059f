#pragma once
// The live items of a sweep along x, filed in horizontal bands of one height,
// so that a look-up only meets items whose y range lies near its own. An item
// is filed in every band its y range touches; an item taller than a few bands
// goes to one list of tall items instead, which every look-up walks. Items
// leave lazily: a walk drops those the caller reports as passed.
#include <cstddef>
#include <cstdint>
#include <vector>

class SweepBands {
public:
    // Bands over [ylo, yhi] for items whose y extents add up to 'totalHeight'.
    SweepBands(int64_t ylo, int64_t yhi, size_t items, long double totalHeight);

    void Insert(uint32_t item, int64_t ylo, int64_t yhi);

    // Visits the live items filed at y (one band and the tall list).
    template <typename Passed, typename Visit> void AtPoint(int64_t y, Passed passed, Visit visit)
    {
        WalkBand(Band(y), passed, [&](uint32_t item) { visit(item); });
        WalkTall(passed, visit);
    }

    // Visits every live item filed in a band of [ylo, yhi], or tall, once.
    template <typename Passed, typename Visit> void InRange(int64_t ylo, int64_t yhi, Passed passed, Visit visit)
    {
        const uint32_t first = Band(ylo), last = Band(yhi);
        if (last - first < kTallBands || last - first < m_banded.size()) {
            // An item filed in several bands is visited in the first band
            // that both ranges share.
            for (uint32_t b = first; b <= last; ++b)
                WalkBand(b, passed, [&](uint32_t item) {
                    const uint32_t from = m_firstBand[item];
                    if ((from > first ? from : first) == b) visit(item);
                });
        } else {
            // Many bands: the list of all banded items is shorter.
            size_t kept = 0;
            for (size_t k = 0; k < m_banded.size(); ++k) {
                const uint32_t item = m_banded[k];
                if (passed(item)) continue;
                m_banded[kept++] = item;
                visit(item);
            }
            m_banded.resize(kept);
        }
        WalkTall(passed, visit);
    }

private:
    static constexpr uint32_t kNone = UINT32_MAX;
    static constexpr uint32_t kTallBands = 8;

    uint32_t Band(int64_t y) const;

    template <typename Passed, typename Visit> void WalkBand(uint32_t band, Passed& passed, Visit visit)
    {
        uint32_t* link = &m_head[band];
        while (*link != kNone) {
            const uint32_t entry = *link;
            const uint32_t item = m_item[entry];
            if (passed(item)) {
                *link = m_next[entry];
                continue;
            }
            visit(item);
            link = &m_next[entry];
        }
    }
    template <typename Passed, typename Visit> void WalkTall(Passed& passed, Visit& visit)
    {
        size_t kept = 0;
        for (size_t k = 0; k < m_tall.size(); ++k) {
            const uint32_t item = m_tall[k];
            if (passed(item)) continue;
            m_tall[kept++] = item;
            visit(item);
        }
        m_tall.resize(kept);
    }

    int64_t m_ylo;
    int64_t m_height;
    uint32_t m_bands;
    std::vector<uint32_t> m_head;       // first entry of each band
    std::vector<uint32_t> m_item;       // per entry
    std::vector<uint32_t> m_next;       // per entry: next entry of its band
    std::vector<uint32_t> m_firstBand;  // per item
    std::vector<uint32_t> m_banded;     // banded items in order of insertion
    std::vector<uint32_t> m_tall;
};
