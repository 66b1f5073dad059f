#include "boolengine/sweepbands.h"

#include <algorithm>
#include <cmath>

SweepBands::SweepBands(int64_t ylo, int64_t yhi, size_t items, long double totalHeight)
    : m_ylo(ylo), m_firstBand(items, 0)
{
    // Bands as tall as an average item keep each item in one or two bands;
    // never more bands than items.
    const long double span = static_cast<long double>(yhi) - static_cast<long double>(ylo) + 1.0L;
    const long double count = static_cast<long double>(std::max<size_t>(items, 1));
    long double height = std::max(std::ceil(totalHeight / count), std::ceil(span / count));
    height = std::max(height, 1.0L);
    m_height = static_cast<int64_t>(std::min(height, span));
    m_bands = static_cast<uint32_t>(std::min<long double>(std::floor((span - 1.0L) / static_cast<long double>(m_height)) + 1.0L, count));
    m_head.assign(m_bands, kNone);
    m_item.reserve(items * 2);
    m_next.reserve(items * 2);
    m_banded.reserve(items);
}

uint32_t SweepBands::Band(int64_t y) const
{
    if (y <= m_ylo) return 0;
    // The difference taken unsigned cannot overflow; past the top is the last band.
    const uint64_t band = (static_cast<uint64_t>(y) - static_cast<uint64_t>(m_ylo)) / static_cast<uint64_t>(m_height);
    return band >= m_bands ? m_bands - 1 : static_cast<uint32_t>(band);
}

void SweepBands::Insert(uint32_t item, int64_t ylo, int64_t yhi)
{
    const uint32_t first = Band(ylo), last = Band(yhi);
    m_firstBand[item] = first;
    if (last - first >= kTallBands) {
        m_tall.push_back(item);
        return;
    }
    m_banded.push_back(item);
    for (uint32_t b = first; b <= last; ++b) {
        m_item.push_back(item);
        m_next.push_back(m_head[b]);
        m_head[b] = static_cast<uint32_t>(m_item.size() - 1);
    }
}
