#pragma once
// A presenter for tests: answers from a queue of prepared answers and lists
// everything that was shown. Installed for its lifetime:
//
//   DialogRecorder dialogs;             // installs itself, restores on destruction
//   dialogs.answer(mrNo);               // the next message dialog or box answers "No"
//   dialogs.answerSaveFile(u"/tmp/x.xls"_s);
//   ... run the code ...
//   QCOMPARE(dialogs.shown().size(), 1);
//   QCOMPARE(dialogs.last().caption, u"Soru"_s);
//
// With no prepared answer a dialog answers with the focused button (message
// dialogs) or the first button (message boxes), as pressing Enter would;
// a file dialog answers "cancelled" and open-with-system answers true.

#include "core/dialogs.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

struct ShownDialog
{
    enum Kind { MessageDialog, MessageBox, SaveFile, OpenFile, Sound, OpenWithSystem };
    Kind what = MessageDialog;
    TMsgDlgType kind = mtCustom; // message dialogs, boxes, sounds
    QString caption;             // as the user sees it (MesajGoster's caption by kind)
    QString text;                // message text, or the target of open-with-system
    QList<TMsgDlgBtn> buttons;   // in numbering order
    QStringList buttonLabels;    // as the user sees them
    TMsgDlgBtn focused = mbOK;   // message dialogs
    FileDialogRequest file;      // file dialogs
    QStringList arguments;       // open-with-system
    int result = mrNone;         // what the recorder answered (message dialogs, boxes)
    QString fileResult;          // what the recorder answered (file dialogs)
};

class DialogRecorder : public DialogPresenter
{
public:
    DialogRecorder();
    ~DialogRecorder() override;
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    // Queues the modal result of the next message dialog or message box.
    void answer(int modalResult);
    // Queues the answer of the next save / open dialog (empty = cancelled).
    void answerSaveFile(const QString& path);
    void answerOpenFile(const QString& path);
    // What the next open-with-system calls report.
    void setOpenResult(bool ok);

    QList<ShownDialog> shown() const;
    // Only the message dialogs and boxes, in order.
    QList<ShownDialog> messages() const;
    ShownDialog last() const;  // a default ShownDialog when nothing was shown
    QStringList texts() const; // texts of the message dialogs and boxes
    void clear();

    int messageDialog(const MessageDialogRequest& request) override;
    int messageBox(const MessageBoxRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    QString openFileName(const FileDialogRequest& request) override;
    void playSound(TMsgDlgType kind) override;
    bool openWithSystem(const OpenRequest& request) override;

private:
    QString recordFileDialog(ShownDialog::Kind what, const FileDialogRequest& request, QStringList& answers);

    mutable QMutex m_mutex;
    DialogPresenter* m_previous = nullptr;
    QList<ShownDialog> m_shown;
    QList<int> m_answers;
    QStringList m_saveAnswers;
    QStringList m_openAnswers;
    bool m_openResult = true;
};
