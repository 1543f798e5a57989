#include "app/StartWindow.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

// Qt's own buttons and dialog texts come in Japanese whatever the locale;
// an English fallback here means the translation package is missing.
TEST(QtTranslation, DialogButtonsAndFileDialogSpeakJapanese)
{
    QTranslator translator;
    app::installQtTranslation(translator);
    const struct {
        const char* context;
        const char* english;
    } texts[] = {
        { "QPlatformTheme", "Save" },
        { "QPlatformTheme", "Cancel" },
        { "QFileDialog", "Look in:" },
        { "QLineEdit", "&Copy" },
    };
    for (const auto& text : texts) {
        const QString shown = QCoreApplication::translate(text.context, text.english);
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_NE(shown, QString::fromLatin1(text.english)) << text.context << " " << text.english;
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "キャンセル");
    QCoreApplication::removeTranslator(&translator);
}
