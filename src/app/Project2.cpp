// The program start: the framework, the application title, the main window,
// and the main loop until the window is closed. `nimbrel FILE` opens FILE as
// if it had been dropped on the window.

#include "app/MainLoop.h"
#include "app/Unit1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Nimbrel");
    QApplication::setQuitOnLastWindowClosed(false);
    app::MainLoop loop;
    app::Application = &loop;
    int rc = 0;
    {
        TForm1 form;
        Form1 = &form;
        form.show();
        if (argc > 1)
            form.dropFile(argv[1]);
        rc = loop.run();
        Form1 = nullptr;
    }
    app::Application = nullptr;
    return rc;
}
