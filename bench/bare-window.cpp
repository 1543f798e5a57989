// The reference of bench/startup.sh: a bare Qt Widgets window with one label.
// At its first paint it writes a line to the file named by NIMBREL_FRAME_LOG,
// as the viewer does for each frame it shows; bench-first-frame times that.
// With --window-font the label shows the viewer's state caption in the
// viewer's Japanese face: what that face alone adds to a start.
#include "app/WindowLook.h"
#include "form/FormControls.h"

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

class Label : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            if (const char* log = std::getenv("NIMBREL_FRAME_LOG")) {
                if (std::FILE* f = std::fopen(log, "a")) {
                    std::fputs("painted\n", f);
                    std::fclose(f);
                }
            }
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Label label(QStringLiteral("Nimbrel"));
    if (argc > 1 && std::strcmp(argv[1], "--window-font") == 0) {
        const std::string_view caption = form::designCaption(form::Control::Label2);
        label.setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
        label.setFont(app::windowFont(form::kWindowFontPixels));
    }
    label.resize(320, 200);
    label.show();
    return app.exec();
}
