// The window's icon is the desktop's icon: every size of data/icons/ is
// compiled in, each drawing is the size it is filed under, and the window
// shows the same pixels that are installed for the desktop.

#include "app/Unit1.h"
#include "app/WindowLook.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <gtest/gtest.h>

namespace {

// The window keeps its pixmaps premultiplied; the files are not.
QImage premultiplied(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QString installedPng(int size)
{
    return QString(NIMBREL_SOURCE_DIR "/data/icons/%1/io.github.nimbrel.Nimbrel.png").arg(size);
}

} // namespace

TEST(WindowIcon, IsTheDesktopIconInEverySize)
{
    TForm1 form;
    const QIcon icon = form.windowIcon();
    ASSERT_FALSE(icon.isNull());
    QList<QSize> expected;
    for (const int size : app::kWindowIconSizes)
        expected.append(QSize(size, size));
    EXPECT_EQ(icon.availableSizes(), expected);
    for (const int size : app::kWindowIconSizes) {
        const QImage installed(installedPng(size));
        ASSERT_EQ(installed.size(), QSize(size, size)) << size;
        EXPECT_EQ(premultiplied(icon.pixmap(QSize(size, size)).toImage()), premultiplied(installed)) << size;
    }
}
