// Feeds arbitrary bytes to the definition reader. The sink checks what it is
// handed against the ranges the character tables rely on, so an item that
// would index outside them is a crash here, not only a wrong value.

#include "character/DefinitionReader.h"
#include "platform/Exception.h"

#include <cstdint>
#include <cstdlib>

namespace {

class CheckingSink : public character::DefinitionSink {
public:
    void characterName(std::string_view name, const character::SourceRange&) override { touch(name); }
    void frameInterval(std::int32_t ms, const character::SourceRange&) override
    {
        m_sum += static_cast<std::uint32_t>(ms);
    }
    void hexNumberingOn(const character::SourceRange&) override { ++m_sum; }
    void sheetName(std::string_view name, const character::SourceRange&) override { touch(name); }
    void baseFrame(int a, int k, std::int32_t p, const character::SourceRange&) override { frame(a, k, p); }
    void baseListEnd(int a, const character::SourceRange&, const character::SourceRange&) override
    {
        animation(a);
    }
    void layerFrame(int a, int k, std::int32_t p, const character::SourceRange&) override { frame(a, k, p); }
    void placementFrame(int a, int k, std::int32_t p, const character::SourceRange&) override
    {
        frame(a, k, p);
    }
    void layerListsEnd(int a, const character::SourceRange&, const character::SourceRange&,
        const character::SourceRange&) override
    {
        animation(a);
    }
    void pattern(int n, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
        const PatternPlaces&) override
    {
        if (n < 1 || n > 255)
            std::abort();
        m_sum += static_cast<std::uint32_t>(left ^ top ^ width ^ height);
    }

private:
    void touch(std::string_view text)
    {
        for (const char c : text)
            m_sum += static_cast<unsigned char>(c);
    }
    void animation(int a)
    {
        if (a < 0 || a > character::kLastAnimationNumber)
            std::abort();
    }
    void frame(int a, int k, std::int32_t p)
    {
        animation(a);
        if (k < 1 || k > character::kLastListFrame || p < 0 || p > 255)
            std::abort();
        m_sum += static_cast<std::uint32_t>(p);
    }

    std::uint32_t m_sum = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckingSink sink;
    try {
        character::parseDefinition({ data, size }, sink);
    } catch (const EConvertError&) {
    } catch (const character::ERangeError&) {
    }
    return 0;
}
