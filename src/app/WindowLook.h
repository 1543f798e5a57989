#pragma once

// The window's look on Linux: the Japanese proportional gothic face it was
// designed with, the compact controls of its design sizes, and its icon.

#include "form/FormDesign.h"

#include <QFont>
#include <QIcon>

#include <array>

class QWidget;

namespace app {

QFont windowFont(int pixelSize);
// The framework's style, with the pictures of controls that no window shows
// at its start (the menu bar's overflow button) read only once drawn.
void installWindowStyle();
// The sizes of the icon's drawings, from data/icons/.
inline constexpr std::array kWindowIconSizes { 16, 32, 48, 64, 128, 256 };
QIcon windowIcon();
// A window of its own that a menu item opens is titled with the item's
// caption.
QString menuCaption(form::Control item);

} // namespace app
