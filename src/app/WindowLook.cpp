#include "app/WindowLook.h"

#include "form/FormControls.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

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
    // The desktop's icon, in every size it is installed in. The reader is
    // told the format and not to guess: guessing loads and asks every image
    // plugin installed (JPEG, GIF, ...) before the built-in PNG reader, which
    // the window's start would wait for.
    QIcon icon;
    for (const int size : kWindowIconSizes) {
        QImageReader reader(QString(":/icons/%1/io.github.nimbrel.Nimbrel.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QString menuCaption(form::Control item)
{
    const std::string_view caption = form::designCaption(item);
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

} // namespace app
