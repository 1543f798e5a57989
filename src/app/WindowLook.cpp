#include "app/WindowLook.h"

#include "form/FormControls.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QString>
#include <QStyleFactory>

#include <optional>

namespace app {

namespace {

// Reading a picture of the style asks every image plugin installed whether it
// can read it (the menu bar's hidden overflow button does so as the bar is
// made); the icon does that only once it is drawn.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(m_style, m_which); }

private:
    QIcon& icon()
    {
        if (!m_icon)
            m_icon = m_style->standardIcon(m_which);
        return *m_icon;
    }

    const QStyle* m_style;
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

class WindowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIconEngine(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

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

void installWindowStyle()
{
    // A new style of the framework's choice, by its name: the proxy owns the
    // style it wraps, and the one in use belongs to the application.
    if (QStyle* base = QStyleFactory::create(QApplication::style()->name()))
        QApplication::setStyle(new WindowStyle(base));
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
