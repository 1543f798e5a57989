#pragma once

// The window's "save as GIF" command without the window: the animation that
// is playing, once through from its frame 1 to the frame before its end
// test, every frame lasting the frame interval in effect, looping for ever.

#include <string>

class TDirectDraw;

namespace playback {
class FormLogic;
}

namespace exporter {

// Raises EGifError ("書き出すフレームがありません") when the animation has no
// frames, EFCreateError when the file cannot be written; nothing is left
// behind on failure.
void savePlayingAnimation(
    const std::string& path, const playback::FormLogic& logic, TDirectDraw& directDraw, int scale);

} // namespace exporter
