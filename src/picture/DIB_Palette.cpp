// The palette cache: equal colour tables share one platform palette.
#include "picture/DIB.h"

#include <algorithm>

namespace {

// Holds the cache for the life of the module. Records that outlive it at
// shut-down find it gone and simply drop their handles.
struct CacheHolder {
    std::unique_ptr<TPaletteManager> manager;
    bool shutDown = false;
    ~CacheHolder()
    {
        manager.reset();
        shutDown = true;
    }
};
CacheHolder cacheHolder;

std::uint32_t paletteKey(std::span<const platform::RgbQuad> colors)
{
    auto key = static_cast<std::uint32_t>(colors.size());
    for (const auto& c : colors)
        key += std::uint32_t(c.rgbBlue) + c.rgbGreen + c.rgbRed;
    return key;
}

} // namespace

TPaletteManager& TPaletteManager::Instance()
{
    if (!cacheHolder.manager)
        cacheHolder.manager = std::make_unique<TPaletteManager>();
    return *cacheHolder.manager;
}

TPaletteManager* TPaletteManager::Current()
{
    return cacheHolder.shutDown ? nullptr : &Instance();
}

platform::HPALETTE TPaletteManager::AcquirePalette(
    std::span<const platform::RgbQuad> colors, std::int32_t count)
{
    const auto used = colors.first(std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(count, 0)), 0, std::min<std::size_t>(colors.size(), 256)));
    const std::uint32_t key = paletteKey(used);
    for (auto& item : m_items) {
        if (item->Key == key && item->ColorCount == static_cast<std::int32_t>(used.size())
            && std::equal(used.begin(), used.end(), item->Colors.begin())) {
            ++item->RefCount;
            return item->Palette;
        }
    }

    auto item = std::make_unique<TPaletteItem>();
    item->Key = key;
    item->ColorCount = static_cast<std::int32_t>(used.size());
    std::copy(used.begin(), used.end(), item->Colors.begin());
    std::vector<platform::PaletteEntry> entries;
    entries.reserve(used.size());
    for (const auto& c : used)
        entries.push_back({ c.rgbRed, c.rgbGreen, c.rgbBlue, 0 });
    item->Palette = platform::CreatePalette(entries);
    item->RefCount = 1;
    m_items.push_back(std::move(item));
    return m_items.back()->Palette;
}

void TPaletteManager::ReleasePalette(platform::HPALETTE& handle)
{
    if (!handle)
        return;
    const auto it = std::find_if(
        m_items.begin(), m_items.end(), [&](const auto& item) { return item->Palette == handle; });
    if (it == m_items.end())
        return;
    handle = nullptr;
    if (--(*it)->RefCount <= 0)
        m_items.erase(it);
}
