// The program entry: the application, its look, the dialog presenter, then
// the main window, which signs the user in before it appears.

#include "app/Unit1.h"
#include "app/gorunum.h"
#include "core/ui/qtdialogpresenter.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GorunumUygula(app);

    QtDialogPresenter dialogs;
    installDialogPresenter(&dialogs);

    TForm1 Form1;
    if (!Form1.FormCreate())
        return 0;
    // Maximised; the screen's size first, for desktops without a window manager.
    if (const QScreen* ekran = QGuiApplication::primaryScreen())
        Form1.setGeometry(ekran->availableGeometry());
    Form1.showMaximized();
    return app.exec();
}
