// The reference of bench/startup.sh: a bare Qt Widgets window with one label.
// At its first paint it writes a line to the file named by NIMBREL_FRAME_LOG,
// as the viewer does for each frame it shows; bench-first-frame times that.
#include <QApplication>
#include <QLabel>
#include <QPaintEvent>

#include <cstdio>
#include <cstdlib>

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
    label.resize(320, 200);
    label.show();
    return app.exec();
}
