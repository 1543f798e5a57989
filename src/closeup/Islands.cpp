#include "closeup/Islands.h"

#include "closeup/SurfaceImage.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace closeup {

namespace {

// Union-find over islands in the making. Each root holds the island of its
// whole set, so a union only adds two small records. Finding halves the
// path in a loop: a sheet-sized island must never cost stack depth.
class IslandSets {
public:
    explicit IslandSets(std::vector<Island> islands = {})
        : m_parent(islands.size())
        , m_islands(std::move(islands))
    {
        std::iota(m_parent.begin(), m_parent.end(), std::uint32_t { 0 });
    }

    std::uint32_t add(const Island& island)
    {
        m_parent.push_back(static_cast<std::uint32_t>(m_islands.size()));
        m_islands.push_back(island);
        return m_parent.back();
    }

    std::uint32_t find(std::uint32_t set)
    {
        while (m_parent[set] != set) {
            m_parent[set] = m_parent[m_parent[set]];
            set = m_parent[set];
        }
        return set;
    }

    void grow(std::uint32_t set, const TRect& rect, std::int64_t pixels)
    {
        Island& island = m_islands[find(set)];
        island.rect = unionRect(island.rect, rect);
        island.pixels += pixels;
    }

    // Answers whether the two were apart.
    bool unite(std::uint32_t a, std::uint32_t b)
    {
        a = find(a);
        b = find(b);
        if (a == b)
            return false;
        // The larger set stays the root, which keeps the paths short.
        if (m_islands[a].pixels < m_islands[b].pixels)
            std::swap(a, b);
        m_parent[b] = a;
        grow(a, m_islands[b].rect, m_islands[b].pixels);
        return true;
    }

    std::vector<Island> roots()
    {
        std::vector<Island> out;
        for (std::uint32_t i = 0; i < m_parent.size(); ++i) {
            if (find(i) == i)
                out.push_back(m_islands[i]);
        }
        return out;
    }

private:
    std::vector<std::uint32_t> m_parent;
    std::vector<Island> m_islands;
};

struct Run {
    std::int32_t begin;
    std::int32_t end; // exclusive
    std::uint32_t set;
};

// The drawn runs of one row, each labelled with the set it joins: pixels of
// two rows touch (8-connected) when their columns differ by at most one.
void labelRow(const SheetPixels& sheet, std::int32_t y, const std::vector<Run>& above, std::vector<Run>& runs,
    IslandSets& sets)
{
    runs.clear();
    const std::uint32_t* row = sheet.raw.data() + std::size_t(y) * std::size_t(sheet.width);
    const auto drawn = [&](std::int32_t x) { return !sheet.key || row[x] != *sheet.key; };
    std::size_t first = 0; // the first run above that may still touch
    for (std::int32_t x = 0; x < sheet.width;) {
        while (x < sheet.width && !drawn(x))
            ++x;
        if (x == sheet.width)
            break;
        const std::int32_t begin = x;
        while (x < sheet.width && drawn(x))
            ++x;
        const TRect rect { begin, y, x, y + 1 };
        while (first < above.size() && above[first].end < begin)
            ++first;
        std::optional<std::uint32_t> set;
        for (std::size_t k = first; k < above.size() && above[k].begin <= x; ++k) {
            if (set)
                sets.unite(*set, above[k].set);
            else
                set = above[k].set;
        }
        if (set)
            sets.grow(*set, rect, x - begin);
        else
            set = sets.add(Island { rect, x - begin });
        runs.push_back(Run { begin, x, *set });
    }
}

// Labels by runs of drawn pixels rather than by pixels: memory grows with
// the runs that start a new island, and a large plain area costs one run
// per row.
std::vector<Island> labelIslands(const SheetPixels& sheet)
{
    IslandSets sets;
    std::vector<Run> above, runs;
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        labelRow(sheet, y, above, runs, sets);
        std::swap(above, runs);
    }
    return sets.roots();
}

// One sweep from left to right: every pair whose rectangles come within
// `gap` joins. Candidates are kept by their top, so a sheet of thousands of
// specks looks only at its near neighbours.
bool joinNear(const std::vector<Island>& islands, std::int64_t gap, IslandSets& sets)
{
    std::vector<std::size_t> order(islands.size());
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    std::sort(order.begin(), order.end(),
        [&](std::size_t a, std::size_t b) { return islands[a].rect.Left < islands[b].rect.Left; });
    std::int64_t tallest = 0;
    for (const Island& island : islands)
        tallest = std::max<std::int64_t>(tallest, island.rect.height());

    bool joined = false;
    std::multimap<std::int64_t, std::size_t> open; // by top
    for (const std::size_t i : order) {
        const TRect& r = islands[i].rect;
        auto it = open.lower_bound(r.Top - gap - tallest);
        const auto end = open.upper_bound(std::int64_t { r.Bottom } + gap);
        while (it != end) {
            const TRect& other = islands[it->second].rect;
            // Lefts only grow from here: a rectangle left behind stays behind.
            if (std::int64_t { other.Right } + gap < r.Left) {
                it = open.erase(it);
                continue;
            }
            if (rectGap(r, other) <= gap)
                joined |= sets.unite(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(it->second));
            ++it;
        }
        open.emplace(r.Top, i);
    }
    return joined;
}

} // namespace

SheetPixels sheetPixels(const SurfaceImage& sheet)
{
    SheetPixels pixels;
    if (sheet.empty())
        return pixels;
    pixels.width = sheet.width();
    pixels.height = sheet.height();
    pixels.raw = { sheet.rawRow(0), std::size_t(sheet.width()) * std::size_t(sheet.height()) };
    if (sheet.hasKey())
        pixels.key = sheet.key();
    return pixels;
}

std::int64_t rectGap(const TRect& a, const TRect& b)
{
    const std::int64_t dx
        = std::max<std::int64_t>({ 0, std::int64_t { b.Left } - a.Right, std::int64_t { a.Left } - b.Right });
    const std::int64_t dy
        = std::max<std::int64_t>({ 0, std::int64_t { b.Top } - a.Bottom, std::int64_t { a.Top } - b.Bottom });
    return std::max(dx, dy);
}

std::vector<Island> findIslands(const SheetPixels& sheet, std::int32_t gap)
{
    if (sheet.width <= 0 || sheet.height <= 0
        || sheet.raw.size() / std::size_t(sheet.width) < std::size_t(sheet.height))
        return {};
    std::vector<Island> islands = labelIslands(sheet);
    // A merged rectangle is larger than its parts and may reach islands that
    // neither part reached, hence the repeat. Every sweep that joins
    // something leaves fewer islands, so it ends.
    for (;;) {
        IslandSets sets(islands);
        if (!joinNear(islands, std::max(gap, 0), sets))
            return islands;
        islands = sets.roots();
    }
}

std::optional<Island> islandAt(std::span<const Island> islands, std::int32_t x, std::int32_t y)
{
    for (const Island& island : islands) {
        const TRect& r = island.rect;
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return island;
    }
    return std::nullopt;
}

TRect unionRect(const TRect& a, const TRect& b)
{
    if (a.width() <= 0 || a.height() <= 0)
        return b;
    if (b.width() <= 0 || b.height() <= 0)
        return a;
    return TRect { std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
        std::max(a.Bottom, b.Bottom) };
}

} // namespace closeup
