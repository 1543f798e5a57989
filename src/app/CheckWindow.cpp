#include "app/CheckWindow.h"

#include "app/WindowLook.h"
#include "check/ProblemList.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

namespace {

QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CheckWindow::CheckWindow(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_summary(new QLabel(this))
    , m_table(new QTableWidget(0, static_cast<int>(check::kProblemHeadings.size()), this))
{
    setObjectName("CheckWindow");
    setWindowTitle(menuCaption(form::Control::checkfile));
    setFont(windowFont(12));
    m_summary->setObjectName("CheckSummary");
    m_summary->setTextFormat(Qt::PlainText);
    m_table->setObjectName("CheckList");
    QStringList headings;
    for (const std::string_view heading : check::kProblemHeadings)
        headings << qtText(heading);
    m_table->setHorizontalHeaderLabels(headings);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // The source line is shown as the text report shows it, caret-aligned.
    m_table->setStyleSheet("QTableWidget { font-family: monospace; }");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    resize(760, 320);
}

void CheckWindow::refresh(const std::string& definitionPath)
{
    m_table->setRowCount(0);
    if (definitionPath.empty()) {
        m_summary->setText(qtText(check::kSNothingLoaded));
        return;
    }
    const check::CheckedFile file = check::checkFile(definitionPath, check::pictureSheetOpener());
    m_summary->setText(qtText(check::problemSummary(definitionPath, file.report)));
    const std::vector<check::ProblemRow> rows = check::problemRows(file);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const check::ProblemRow& row = rows[static_cast<std::size_t>(r)];
        const std::string* cells[]
            = { &row.line, &row.column, &row.severity, &row.message, &row.code, &row.source };
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(qtText(*cells[c]));
            if (row.error)
                item->setForeground(Qt::darkRed);
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
}

} // namespace app
