#pragma once
// The Qt presenter behind the dialog seam: the Turkish message dialog, plain
// message boxes, file dialogs, sounds and opening with the system's program.
// The program installs it once at start-up:
//
//   QtDialogPresenter dialogs;   // lives as long as the application
//   installDialogPresenter(&dialogs);

#include "core/dialogs.h"

#include <QDialog>
#include <QHash>

class QAbstractButton;
class QLabel;
class QPushButton;

// The message dialog window: icon of the kind, the text, the buttons in their
// numbering order. The focused button is the default one and first in the tab
// order; Escape and closing the window press the cancel-like button
// (Cancel, else No, else a lone OK). exec() returns the modal result.
class MessageDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Look {
        Message, // MesajGoster: caption by kind, 15 pt font, centred over its window
        Box,     // plain message box: caption as given, centred on the screen
    };

    MessageDialog(const QString& caption, const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
        TMsgDlgBtn focused, Look look, QWidget* parent = nullptr);

    QPushButton* button(TMsgDlgBtn b) const { return m_buttons.value(b); }
    QList<QPushButton*> buttonsInOrder() const { return m_order; }
    TMsgDlgBtn focusedButton() const { return m_focused; }
    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QHash<int, QPushButton*> m_buttons;
    QList<QPushButton*> m_order;
    QLabel* m_text = nullptr;
    TMsgDlgBtn m_focused = mbOK;
    int m_cancelResult = mrCancel;
    Look m_look = Look::Message;
};

class QtDialogPresenter final : public DialogPresenter
{
public:
    int messageDialog(const MessageDialogRequest& request) override;
    int messageBox(const MessageBoxRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    QString openFileName(const FileDialogRequest& request) override;
    void playSound(TMsgDlgType kind) override;
    bool openWithSystem(const OpenRequest& request) override;
};
