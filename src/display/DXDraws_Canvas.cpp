// The surface's canvas and the loading of images into a surface through it.

#include "display/DXDraws.h"

#include "picture/DIB.h"

using namespace platform;

TDirectDrawSurfaceCanvas::TDirectDrawSurfaceCanvas(TDirectDrawSurface* surface)
    : m_surface(surface)
{
}

TDirectDrawSurfaceCanvas::~TDirectDrawSurfaceCanvas()
{
    Release();
}

void TDirectDrawSurfaceCanvas::CreateHandle()
{
    const IDirectDrawSurface& surface = m_surface->RequiredSurfaceInterface();
    HDC dc = nullptr;
    m_surface->SetErrorCode(surface->getDC(dc));
    if (m_surface->ErrorCode() != 0)
        return;
    m_dc = dc;
    SetHandle(dc);
}

void TDirectDrawSurfaceCanvas::Release()
{
    if (!m_dc)
        return;
    SetHandle(nullptr);
    if (m_surface->SurfaceInterface())
        m_surface->SurfaceInterface()->releaseDC(m_dc);
    m_dc = nullptr;
}

TDirectDrawSurfaceCanvas& TDirectDrawSurface::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TDirectDrawSurfaceCanvas>(this);
    return *m_canvas;
}

void TDirectDrawSurface::LoadFromFile(const std::string& fileName)
{
    TPicture picture;
    picture.LoadFromFile(fileName);
    LoadFromGraphic(picture.Graphic());
}

void TDirectDrawSurface::LoadFromGraphic(TGraphic* graphic)
{
    LoadFromGraphicRect(graphic, 0, 0, TRect { 0, 0, graphic->Width(), graphic->Height() });
}

void TDirectDrawSurface::LoadFromGraphicRect(
    TGraphic* graphic, std::int32_t width, std::int32_t height, const TRect& rect)
{
    const std::int32_t sw = rect.width();
    const std::int32_t sh = rect.height();
    if (width == 0)
        width = sw;
    if (height == 0)
        height = sh;
    SetSize(width, height);
    // The context must be given back in every branch, so that no copy ever
    // runs while the surface is held by a canvas.
    try {
        drawGraphic(graphic, width, height, rect);
    } catch (...) {
        Canvas().Release();
        throw;
    }
    Canvas().Release();
}

void TDirectDrawSurface::drawGraphic(
    TGraphic* graphic, std::int32_t width, std::int32_t height, const TRect& rect)
{
    const std::int32_t sw = rect.width();
    const std::int32_t sh = rect.height();
    if (graphic->ClassType()->InheritsFrom(TDIB::StaticClass())) {
        TDIB& dib = static_cast<TDIB&>(*graphic);
        // The destination first: an empty sheet leaves the surface empty, and
        // that is the failure to report, not the empty DIB's.
        HDC destination = Canvas().Handle();
        HDC source = dib.Canvas().Handle();
        StretchBlt(*destination, 0, 0, width, height, *source, rect.Left, rect.Top, sw, sh, SRCCOPY);
        return;
    }
    if (width == sw && height == sh) {
        Canvas().DrawGraphic(-rect.Left, -rect.Top, graphic);
        return;
    }
    TDIB temporary;
    temporary.SetSize(sw, sh, 24);
    temporary.Canvas().DrawGraphic(-rect.Left, -rect.Top, graphic);
    Canvas().StretchDraw(TRect { 0, 0, width, height }, &temporary);
}
