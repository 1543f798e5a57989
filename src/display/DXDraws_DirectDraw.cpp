#include "display/DXDraws.h"

#include "display/DXConsts.h"

#include <algorithm>

namespace {

template <typename T> void unregister(std::vector<T*>& list, T* object)
{
    const auto it = std::find(list.begin(), list.end(), object);
    if (it != list.end())
        list.erase(it);
}

// Deletes the last object of the list until none is left; each destructor
// takes itself off the list.
template <typename T> void deleteAll(std::vector<T*>& list)
{
    while (!list.empty())
        delete list.back();
}

} // namespace

TDirectDraw::TDirectDraw(const platform::GUID* driverGuid)
{
    const auto create = reinterpret_cast<platform::DirectDrawCreateProc>(
        dxclass::LoadEntryPoint(dxconsts::kDirectDrawLibrary, dxconsts::kDirectDrawCreate));
    IDirectDraw draw;
    if (create(driverGuid, &draw, nullptr) != 0 || !draw)
        throw EDirectDrawError(platform::format(dxconsts::kSCannotInitialize, { dxconsts::kDirectDrawName }));
    m_draw = draw;
    m_draw4 = draw->queryVersion6();
    if (!m_draw4)
        throw EDirectDrawError(dxconsts::kSNeedsDirectX6);
    DriverCaps.dwSize = platform::kCapsSize;
    HELCaps.dwSize = platform::kCapsSize;
    m_draw4->getCaps(&DriverCaps, &HELCaps);
}

TDirectDraw::~TDirectDraw()
{
    deleteAll(m_surfaces);
    deleteAll(m_palettes);
    deleteAll(m_clippers);
}

const IDirectDraw& TDirectDraw::DrawInterface() const
{
    if (!m_draw)
        throw EDirectDrawError(platform::format(dxconsts::kSNotMade, { dxconsts::kIDirectDraw }));
    return m_draw;
}

TDirectDrawClipper::TDirectDrawClipper(TDirectDraw* directDraw)
    : m_directDraw(directDraw)
{
    m_directDraw->m_clippers.push_back(this);
    directDraw->SetErrorCode(directDraw->DrawInterface()->createClipper(0, m_clipper));
    if (directDraw->ErrorCode() != 0) {
        unregister(m_directDraw->m_clippers, this);
        throw EDirectDrawClipperError(platform::format(dxconsts::kSCannotMake, { dxconsts::kClipperName }));
    }
}

TDirectDrawClipper::~TDirectDrawClipper()
{
    unregister(m_directDraw->m_clippers, this);
}

void TDirectDrawClipper::Handle(const platform::HWND& window)
{
    SetErrorCode(m_clipper->setHWnd(0, window));
}

TDirectDrawPalette::TDirectDrawPalette(TDirectDraw* directDraw)
    : m_directDraw(directDraw)
{
    m_directDraw->m_palettes.push_back(this);
}

TDirectDrawPalette::~TDirectDrawPalette()
{
    unregister(m_directDraw->m_palettes, this);
}

bool TDirectDrawPalette::CreatePalette(std::uint32_t caps, std::span<const platform::PaletteEntry> entries)
{
    m_palette.reset();
    IDirectDrawPalette made;
    SetErrorCode(m_directDraw->DrawInterface()->createPalette(caps, entries, made));
    m_palette = made;
    return ErrorCode() == 0;
}

bool TDirectDrawPalette::SetEntries(std::uint32_t startIndex, std::span<const platform::PaletteEntry> entries)
{
    if (!m_palette)
        return false;
    SetErrorCode(m_palette->setEntries(0, startIndex, entries));
    return ErrorCode() == 0;
}
