#include "check/FinalChecks.h"

#include "check/CheckMessages.h"
#include "form/Buttons.h"
#include "platform/Exception.h"
#include "playback/Composition.h"

namespace check {

using character::hexPair;
using character::kAnimationCount;
using character::kEmptySlot;
using character::kPatternCount;
using character::PatternEntry;
using playback::kViewHeight;
using playback::kViewWidth;

namespace {

std::string text(std::int64_t n)
{
    return std::to_string(n);
}

class Checks {
public:
    Checks(const CheckModel& model, std::vector<Diagnostic>& out)
        : m(model)
        , m_out(out)
    {
    }

    void run()
    {
        undefinedPatterns();
        for (int a = 0; a < kAnimationCount; ++a)
            animation(a);
        usedPatterns();
        background();
        fileValues();
    }

private:
    void warn(std::string_view code, std::string message, const SourceRange& at)
    {
        m_out.push_back(Diagnostic { Severity::warning, code, std::move(message), at });
    }

    void undefinedPatterns()
    {
        for (const PatternUse& use : m.earlyUses) {
            if (m.patterns[static_cast<std::size_t>(use.pattern)].defined)
                continue;
            // "10" in a list is pattern 16; decimal numbering may have meant 10.
            const int high = use.pattern >> 4, low = use.pattern & 15;
            const int decimal = high * 10 + low;
            if (high > 0 && high <= 9 && low <= 9 && m.patterns[static_cast<std::size_t>(decimal)].decimal)
                warn(kCodePatternUndefined,
                    platform::format(
                        kSPatternUndefinedDecimal, { hexPair(use.pattern), text(decimal), hexPair(decimal) }),
                    use.at);
            else
                warn(kCodePatternUndefined, platform::format(kSPatternUndefined, { hexPair(use.pattern) }),
                    use.at);
        }
    }

    // The frames the player plays, over the model's slots.
    static std::size_t playedFrames(const CheckModel& m, std::size_t a)
    {
        return static_cast<std::size_t>(character::playedFrameCount([&](std::int32_t index) {
            const auto k = static_cast<std::size_t>(index);
            return m.base[a][k].pattern != kEmptySlot || m.layer[a][k].pattern != kEmptySlot;
        }));
    }

    static bool hasButton(int animation)
    {
        const auto button = form::animationButton(animation);
        if (!button)
            return false;
        const form::ButtonAction* action = form::buttonAction(*button);
        return action != nullptr && action->animation == animation;
    }

    void animation(int animation)
    {
        const auto a = static_cast<std::size_t>(animation);
        const std::size_t frames = playedFrames(m, a);
        for (std::size_t k = 1; k <= frames; ++k) {
            if (m.base[a][k].pattern != kEmptySlot)
                m_baseUsed[static_cast<std::size_t>(m.base[a][k].pattern)] = true;
        }
        if (m.layered[a])
            layers(animation, frames);
        const bool written = m.baseReach[a].frames > 0 || m.layerReach[a].frames > 0;
        if (written && animation != character::kPatternCheckAnimation && !hasButton(animation)
            && m.firstList[a])
            warn(kCodeNoButton,
                animation == 9 ? std::string(kSSharedButton) : platform::format(kSNoButton, animation),
                *m.firstList[a]);
    }

    void layers(int animation, std::size_t frames)
    {
        const auto a = static_cast<std::size_t>(animation);
        const Slot* firstHidden = nullptr;
        std::size_t hiddenFrame = 0, hidden = 0;
        for (std::size_t k = 1; k <= frames; ++k) {
            const Slot& layer = m.layer[a][k];
            const Slot& placement = m.placement[a][k];
            if (layer.pattern != kEmptySlot)
                m_layerUsed[static_cast<std::size_t>(layer.pattern)] = true;
            if (layer.pattern != kEmptySlot && placement.pattern == kEmptySlot) {
                warn(kCodeLayerPlacement,
                    platform::format(kSLayerWithoutPlacement, { text(animation), text(k) }), layer.at);
            } else if (layer.pattern == kEmptySlot && placement.pattern != kEmptySlot) {
                warn(kCodeLayerPlacement,
                    platform::format(kSPlacementWithoutLayer, { text(animation), text(k) }), placement.at);
            } else if (layer.pattern != kEmptySlot && !layerDrawn(layer.pattern, placement.pattern)) {
                if (hidden++ == 0) {
                    firstHidden = &placement;
                    hiddenFrame = k;
                }
            }
        }
        // One warning per animation: its first hidden layer, and how many.
        if (firstHidden != nullptr)
            warn(kCodeOutsideView,
                platform::format(kSLayerOutsideView,
                    { text(animation), text(hiddenFrame), hexPair(m.layer[a][hiddenFrame].pattern),
                        hexPair(firstHidden->pattern), text(hidden) }),
                firstHidden->at);
        const std::size_t base = m.baseReach[a].frames, layer = m.layerReach[a].frames;
        if (base != layer)
            warn(kCodeLengthsDiffer,
                platform::format(kSLengthsDiffer, { text(animation), text(base), text(layer) }),
                m.lastLayerList[a]);
    }

    // Whether the view takes the layer copy. Patterns that this file does
    // not define keep the values of an earlier load, which no check can know.
    bool layerDrawn(std::int32_t layer, std::int32_t placement) const
    {
        const PatternLine& l = m.patterns[static_cast<std::size_t>(layer)];
        const PatternLine& p = m.patterns[static_cast<std::size_t>(placement)];
        if (!l.defined || !p.defined)
            return true;
        const auto copy = playback::clipLayer(l.values, p.values);
        if (!copy)
            return false;
        const std::int64_t w = std::int64_t { copy->source.Right } - copy->source.Left;
        const std::int64_t h = std::int64_t { copy->source.Bottom } - copy->source.Top;
        return w > 0 && h > 0 && copy->x + w <= kViewWidth && copy->y + h <= kViewHeight;
    }

    void usedPatterns()
    {
        m_baseUsed[static_cast<std::size_t>(playback::kBackgroundPattern)] = true;
        for (std::size_t p = 1; p < kPatternCount; ++p) {
            const PatternLine& line = m.patterns[p];
            if (line.defined && (m_baseUsed[p] || m_layerUsed[p]))
                usedPattern(static_cast<std::int32_t>(p), line);
        }
    }

    // A base or layer source must be a rectangle inside the sheet, and a
    // base pattern must fit the view, or its copy is refused.
    void usedPattern(std::int32_t p, const PatternLine& line)
    {
        const PatternEntry& v = line.values;
        const std::int64_t right = std::int64_t { v.left } + v.width;
        const std::int64_t bottom = std::int64_t { v.top } + v.height;
        if (v.width <= 0 || v.height <= 0) {
            warn(kCodePatternOutsideSheet,
                platform::format(
                    kSEmptyRect, { hexPair(p), text(v.left), text(v.top), text(right), text(bottom) }),
                line.valuesAt);
        } else if (m.sheet
            && (v.left < 0 || v.top < 0 || right > m.sheet->width || bottom > m.sheet->height)) {
            warn(kCodePatternOutsideSheet,
                platform::format(kSOutsideSheet,
                    { hexPair(p), text(v.left), text(v.top), text(right), text(bottom), text(m.sheet->width),
                        text(m.sheet->height) }),
                line.valuesAt);
        } else if (m_baseUsed[static_cast<std::size_t>(p)] && p != playback::kBackgroundPattern
            && (v.width > kViewWidth || v.height > kViewHeight)) {
            warn(kCodeOutsideView,
                platform::format(kSBaseOutsideView, { hexPair(p), text(v.width), text(v.height) }),
                line.valuesAt);
        }
    }

    void background()
    {
        const PatternLine& line = m.patterns[static_cast<std::size_t>(playback::kBackgroundPattern)];
        if (!line.defined) {
            warn(kCodeBackground, kSNoBackground, SourceRange {});
            return;
        }
        const PatternEntry& v = line.values;
        if (v.width > kViewWidth || v.height > kViewHeight)
            warn(kCodeBackground, platform::format(kSLargeBackground, { text(v.width), text(v.height) }),
                line.valuesAt);
        else if (v.width < kViewWidth || v.height < kViewHeight)
            warn(kCodeBackground, platform::format(kSSmallBackground, { text(v.width), text(v.height) }),
                line.valuesAt);
    }

    void fileValues()
    {
        if (m.interval && *m.interval <= 0)
            warn(kCodeInterval, platform::format(kSInterval, *m.interval), m.intervalAt);
        if (!m.sheetLine)
            warn(kCodeNoSheet, kSNoSheet, SourceRange {});
        if (m.base[1][1].pattern == kEmptySlot && m.layer[1][1].pattern == kEmptySlot)
            warn(kCodeEmptyStart, kSEmptyStart, m.firstList[1].value_or(SourceRange {}));
    }

    const CheckModel& m;
    std::vector<Diagnostic>& m_out;
    std::array<bool, kPatternCount> m_baseUsed {};
    std::array<bool, kPatternCount> m_layerUsed {};
};

} // namespace

void finalChecks(const CheckModel& model, std::vector<Diagnostic>& out)
{
    Checks(model, out).run();
}

} // namespace check
