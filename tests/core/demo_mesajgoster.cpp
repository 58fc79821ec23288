// A small look at the message dialog through the Qt presenter: asks the exit
// question with "Evet" / "Hayır" and prints the answer. With --grab FILE it
// renders the dialog into a PNG instead of waiting for a click.

#include "core/ui/qtdialogpresenter.h"
#include "core/utils.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelvori"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zelvori Otomotiv B2B Programı"));
    const QStringList args = QApplication::arguments();
    const QString text = QStringLiteral("Programdan Çıkmak İstiyor musunuz ?");

    const qsizetype grab = args.indexOf(QStringLiteral("--grab"));
    if (grab > 0 && grab + 1 < args.size()) {
        MessageDialog dialog(
            messageCaption(mtConfirmation), text, mtConfirmation, {mbYes, mbNo}, mbYes, MessageDialog::Look::Message);
        dialog.show();
        QApplication::processEvents();
        const bool ok = dialog.grab().save(args.at(grab + 1));
        QTextStream(stdout) << (ok ? "saved " : "could not save ") << args.at(grab + 1) << Qt::endl;
        return ok ? 0 : 1;
    }

    QtDialogPresenter presenter;
    installDialogPresenter(&presenter);
    QTimer::singleShot(0, [&] {
        const int result = MesajGoster(text, mtConfirmation, {mbYes, mbNo}, 0, mbYes);
        QTextStream(stdout) << "answer: " << result
                            << (result == mrYes         ? " (Evet)"
                                       : result == mrNo ? " (Hayır)"
                                                        : "")
                            << Qt::endl;
        QApplication::exit(0);
    });
    return QApplication::exec();
}
