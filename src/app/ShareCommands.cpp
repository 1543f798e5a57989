#include "app/ShareCommands.h"

#include "app/DXDrawWidget.h"
#include "app/ErrorReport.h"
#include "app/WindowLook.h"
#include "export/ExportConsts.h"
#include "export/PlayingAnimation.h"
#include "form/FormControls.h"
#include "platform/Exception.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace app {

namespace {

constexpr const char* kSNoFrameShown = "コピーするフレームがありません";

// The scale is an option of the file dialog itself, below its file type, so
// that saving stays one step. Qt's own dialog lays itself out in a grid.
QComboBox* addScaleChoice(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr)
        return nullptr;
    auto* scale = new QComboBox(&dialog);
    scale->setObjectName("gifScale");
    for (int factor = 1; factor <= kMaxGifDialogScale; ++factor)
        scale->addItem(QString::number(factor) + " 倍", factor);
    auto* label = new QLabel("倍率:", &dialog);
    label->setBuddy(scale);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(scale, row, 1);
    return scale;
}

QString qtName(form::Control control)
{
    const std::string_view name = form::controlName(control);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

ShareCommands::ShareCommands(QMainWindow& window, const playback::FormLogic& logic, DXDrawWidget& view)
    : m_window(window)
    , m_logic(logic)
    , m_view(view)
    , m_menu(window.menuBar()->findChild<QMenu*>("ToolsMenu"))
    , m_saveGif(window.menuBar()->findChild<QAction*>(qtName(form::Control::gifsave)))
    , m_copyFrame(window.menuBar()->findChild<QAction*>(qtName(form::Control::framecopy)))
{
}

void ShareCommands::saveGifClick()
{
    // Titled with the item's caption, less the ellipsis that promised the dialog.
    QString title = menuCaption(form::Control::gifsave);
    if (title.endsWith(QChar(0x2026)))
        title.chop(1);
    QFileDialog dialog(&m_window, title, QString(), "GIF 画像 (*.gif)");
    dialog.setObjectName("gifDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("gif");
    QComboBox* scale = addScaleChoice(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The bytes the file system gave, not UTF-8: a folder whose name is
    // Shift-JIS comes back as it was.
    const std::string path = QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    const int factor = scale != nullptr ? scale->currentData().toInt() : 1;
    guarded([&] { saveGif(path, factor); });
}

void ShareCommands::saveGif(const std::string& path, int scale)
{
    TDirectDraw* directDraw = m_view.control().DirectDraw();
    if (directDraw == nullptr)
        throw exporter::EGifError(exporter::kSNoFrames);
    exporter::savePlayingAnimation(path, m_logic, *directDraw, scale);
}

void ShareCommands::copyFrameClick()
{
    guarded([this] {
        const QImage frame = shownFrame();
        if (frame.isNull())
            throw Exception(kSNoFrameShown);
        QGuiApplication::clipboard()->setImage(frame);
    });
}

QImage ShareCommands::shownFrame() const
{
    return m_view.shownImage();
}

} // namespace app
