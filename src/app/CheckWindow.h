#pragma once

// The checker's window (checkfile in the tools menu): the problems of the loaded
// definition file, one row each, as nimbrel-check reports them. It is
// refreshed after every load and reload while it is open; the checker
// gives the rows, this only shows them.

#include <QWidget>

#include <string>

class QLabel;
class QTableWidget;

namespace app {

class CheckWindow : public QWidget {
public:
    explicit CheckWindow(QWidget* owner);

    // Checks the file again and shows its problems; an empty path means
    // that no file has been loaded yet.
    void refresh(const std::string& definitionPath);

private:
    QLabel* m_summary;
    QTableWidget* m_table;
};

} // namespace app
