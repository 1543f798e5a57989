#include "app/WindowLook.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace app {

QFont windowFont(int pixelSize)
{
    QFont font;
    // "IPAPGothic" has the metrics of the face the window was designed
    // with; fontconfig falls back further when neither is installed.
    font.setFamilies(
        { QString::fromUtf8("ＭＳ Ｐゴシック"), "MS PGothic", "IPAPGothic", "Noto Sans CJK JP" });
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QIcon windowIcon()
{
    // A 32 x 32 film frame with a little figure: drawn here, not shipped.
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x36, 0x48));
    p.drawRoundedRect(1, 1, 30, 30, 5, 5);
    p.setBrush(QColor(0xF2, 0xEE, 0xE4));
    for (int y = 4; y < 29; y += 6) {
        p.drawRect(3, y, 3, 3);
        p.drawRect(26, y, 3, 3);
    }
    p.setBrush(QColor(0xF0, 0x8A, 0x3C));
    p.drawEllipse(QPointF(16, 10), 4, 4);
    p.drawRoundedRect(QRectF(11, 15, 10, 11), 3, 3);
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

} // namespace app
