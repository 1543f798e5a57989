#pragma once

// The window's look on Linux: the Japanese proportional gothic face it was
// designed with, the compact controls of its design sizes, and its icon.

#include <QFont>
#include <QIcon>

class QWidget;

namespace app {

QFont windowFont(int pixelSize);
QIcon windowIcon();

} // namespace app
