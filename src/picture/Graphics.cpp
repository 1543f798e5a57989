#include "picture/Graphics.h"

platform::HDC TCanvas::Handle()
{
    Changing();
    RequiredState();
    return m_handle;
}

void TCanvas::SetHandle(platform::HDC handle)
{
    m_handle = handle;
}

void TCanvas::RequiredState()
{
    if (!m_handle)
        CreateHandle();
    if (!m_handle)
        throw EInvalidOperation(kSNoCanvasHandle);
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(*this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(*this);
}

void TCanvas::DrawGraphic(std::int32_t X, std::int32_t Y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    Changing();
    RequiredState();
    // Colours are plain RGB here: there are no system colours to resolve.
    m_handle->setBkColor(Brush.Color);
    m_handle->setTextColor(Font.Color);
    graphic->Draw(*this, TRect { X, Y, X + graphic->Width(), Y + graphic->Height() });
    Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic)
{
    if (!graphic || graphic->Empty())
        return;
    Changing();
    RequiredState();
    graphic->Draw(*this, rect);
    Changed();
}

bool TGraphicClassInfo::InheritsFrom(const TGraphicClassInfo* other) const
{
    for (const TGraphicClassInfo* c = this; c; c = c->parent)
        if (c == other)
            return true;
    return false;
}

void TGraphic::Changed(TGraphic*)
{
    Modified = true;
    if (OnChange)
        OnChange(*this);
}

void TGraphic::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Changed(this);
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName);
    LoadFromStream(stream);
}

void TUnreadableGraphic::LoadFromFile(const std::string& fileName)
{
    m_extension = GraphicExtension(fileName);
    TGraphic::LoadFromFile(fileName);
}

void TUnreadableGraphic::LoadFromStream(TStream&)
{
    throw EInvalidGraphic(platform::format(picture::kSUnknownExtension, { m_extension }));
}

namespace {
std::unique_ptr<TGraphic> createMetafile()
{
    return std::make_unique<TMetafile>();
}
std::unique_ptr<TGraphic> createIcon()
{
    return std::make_unique<TIcon>();
}
const TGraphicClassInfo kMetafileClass { "TMetafile", nullptr, &createMetafile };
const TGraphicClassInfo kIconClass { "TIcon", nullptr, &createIcon };
} // namespace

TGraphicClass TMetafile::StaticClass()
{
    return &kMetafileClass;
}

TGraphicClass TIcon::StaticClass()
{
    return &kIconClass;
}
