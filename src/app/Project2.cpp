// The program start: the framework, the application title, the main window,
// and the main loop until the window is closed.

#include "app/Unit1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Nimbrel");
    QApplication::setApplicationDisplayName("Nimbrel");
    TForm1 form;
    Form1 = &form;
    form.show();
    const int rc = QApplication::exec();
    Form1 = nullptr;
    return rc;
}
