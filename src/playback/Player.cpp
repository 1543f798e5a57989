#include "playback/Player.h"

#include "character/CharacterConsts.h"
#include "character/Integer.h"
#include "character/NameText.h"
#include "character/TextTerms.h"
#include "display/DXDraws.h"
#include "form/Buttons.h"
#include "platform/Exception.h"
#include "playback/Composition.h"

#include <algorithm>
#include <array>

namespace playback {

using form::Control;

namespace {

constexpr std::array<std::int32_t, 6> kOneShotSaveSet { 1, 2, 3, 5, 15, 16 };
// The pattern check does not save the nuisance animation.
constexpr std::array<std::int32_t, 5> kPatternCheckSaveSet { 1, 2, 5, 15, 16 };

// A pair of the pattern box's 8-bit text, read as a hexadecimal pair. The
// message shows the pair decoded, as every text of the window is shown.
std::int32_t patternBoxPair(std::string_view pair)
{
    const std::string text = "$" + std::string(character::trimmed(pair));
    std::int32_t value = 0;
    if (!character::tryStrToInt(text, value))
        throw EConvertError(platform::format(character::kSInvalidInteger, { character::cp932ToUtf8(text) }));
    return value;
}

} // namespace

AnimationClass animationClass(std::int32_t animation)
{
    switch (animation) {
    case 4:
    case 6:
    case 7:
    case 8:
    case 10:
    case 11:
    case 12:
        return AnimationClass::oneShot;
    case character::kPatternCheckAnimation:
        return AnimationClass::patternCheck;
    default:
        return AnimationClass::looping;
    }
}

Player::Player(character::CharacterState& state, form::FormControls& form, PlayerHost& host)
    : m_state(state)
    , m_form(form)
    , m_host(host)
{
}

void Player::idleStep(bool& done)
{
    if (!m_host.CanDraw())
        return;
    if (TDirectDrawSurface* view = m_host.Surface())
        view->Fill(0);
    waitForFrame();
    m_lastFrameTime = m_host.now();
    m_timed = true;
    // After the wait rather than before it: a save that settles while the
    // step waits then shows in this step's frame instead of the next one's.
    if (m_automaticReload)
        m_automaticReload();
    if (!m_state.playbackFlag)
        return;
    if (!m_paused) {
        ++m_frameIndex;
        endTest();
    } else if (m_frameIndex < 1) {
        // Paused before anything of this animation was shown (a button was
        // pressed, or nothing played yet): its first frame is the one on show.
        m_frameIndex = 1;
    }
    composeFrame(m_state.tables, m_state.currentAnimation, m_frameIndex, m_sheet, m_host.Surface());
    done = false;
    m_host.Flip();
}

void Player::showFrame()
{
    if (!m_host.CanDraw())
        return;
    TDirectDrawSurface* view = m_host.Surface();
    if (view != nullptr)
        view->Fill(0);
    composeFrame(m_state.tables, m_state.currentAnimation, m_frameIndex, m_sheet, view);
    m_host.Flip();
}

void Player::stepForward()
{
    if (!m_state.playbackFlag)
        return;
    m_paused = true;
    ++m_frameIndex;
    endTest();
    showFrame();
}

void Player::stepBack()
{
    if (!m_state.playbackFlag)
        return;
    m_paused = true;
    m_frameIndex = std::max(1, m_frameIndex - 1);
    showFrame();
}

void Player::stepTo(std::int32_t index)
{
    if (!m_state.playbackFlag || index < 1 || index > character::kLastSlot)
        return;
    m_paused = true;
    m_frameIndex = index;
    showFrame();
}

void Player::restart()
{
    if (!m_state.playbackFlag)
        return;
    m_frameIndex = 1;
    // Frame 1 gets its whole interval before playback goes on to frame 2.
    m_lastFrameTime = m_host.now();
    m_timed = true;
    showFrame();
}

void Player::waitForFrame()
{
    if (!m_timed)
        return;
    // The interval is read on every pass, so a change made by a message
    // dispatched during the wait applies to this wait.
    for (;;) {
        const auto elapsed = static_cast<std::int32_t>(m_host.now() - m_lastFrameTime);
        const std::int32_t interval = m_state.frameInterval;
        if (elapsed >= interval || m_host.terminating())
            return;
        m_host.waitUntil(m_lastFrameTime + static_cast<std::uint32_t>(interval));
    }
}

void Player::endTest()
{
    const std::int32_t current = m_state.currentAnimation;
    if (m_state.tables.showsFrame(current, m_frameIndex))
        return;
    const AnimationClass kind = animationClass(current);
    if ((kind == AnimationClass::patternCheck && !m_form.isChecked(Control::CheckBox1))
        || (kind == AnimationClass::oneShot && !m_form.isChecked(Control::CheckBox2))) {
        m_state.currentAnimation = m_returnAnimation;
        m_form.setCaption(Control::Label2, m_returnLabel);
    }
    m_frameIndex = 1;
}

void Player::saveReturn(std::span<const std::int32_t> saveSet)
{
    if (std::find(saveSet.begin(), saveSet.end(), m_state.currentAnimation) == saveSet.end())
        return;
    m_returnAnimation = m_state.currentAnimation;
    m_returnLabel = m_form.caption(Control::Label2);
}

void Player::start(std::int32_t animation, std::string_view label)
{
    m_frameIndex = 0;
    m_state.currentAnimation = animation;
    m_form.setCaption(Control::Label2, label);
    // Paused, nothing would ever show the new animation; its first frame
    // is shown now and playback stays paused.
    if (m_paused && m_state.playbackFlag) {
        m_frameIndex = 1;
        showFrame();
    }
}

void Player::selectAnimation(std::int32_t animation, std::string_view label)
{
    start(animation, label);
}

void Player::startOneShot(std::int32_t animation, std::string_view label)
{
    saveReturn(kOneShotSaveSet);
    start(animation, label);
}

void Player::startPatternCheck()
{
    character::FrameRow& row = m_state.tables.base[character::kPatternCheckAnimation];
    std::fill(row.begin() + 1, row.end(), character::kEmptySlot);

    // Blanks are no separators here: every two characters of the box's
    // 8-bit text are a pair. Pairs past the row's last slot have no room and
    // are left unread.
    const std::string text = character::utf8ToCp932(m_form.text(Control::Edit2));
    const std::size_t pairs = std::min<std::size_t>(text.size() / 2, character::kLastSlot);
    for (std::size_t k = 1; k <= pairs; ++k)
        row[k] = patternBoxPair(std::string_view(text).substr(2 * k - 2, 2));

    saveReturn(kPatternCheckSaveSet);
    start(character::kPatternCheckAnimation, buttonAction(Control::buttonck)->label);
}

} // namespace playback
