#include "core/dialogrecorder.h"

namespace {

QStringList labelsOf(const QList<TMsgDlgBtn>& buttons)
{
    QStringList labels;
    for (TMsgDlgBtn b : buttons)
        labels << shownButtonText(b);
    return labels;
}

} // namespace

DialogRecorder::DialogRecorder()
    : m_previous(installDialogPresenter(this))
{ }

DialogRecorder::~DialogRecorder()
{
    installDialogPresenter(m_previous);
}

void DialogRecorder::answer(int modalResult)
{
    QMutexLocker lock(&m_mutex);
    m_answers << modalResult;
}

void DialogRecorder::answerSaveFile(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_saveAnswers << path;
}

void DialogRecorder::answerOpenFile(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_openAnswers << path;
}

void DialogRecorder::setOpenResult(bool ok)
{
    QMutexLocker lock(&m_mutex);
    m_openResult = ok;
}

QList<ShownDialog> DialogRecorder::shown() const
{
    QMutexLocker lock(&m_mutex);
    return m_shown;
}

QList<ShownDialog> DialogRecorder::messages() const
{
    QMutexLocker lock(&m_mutex);
    QList<ShownDialog> list;
    for (const ShownDialog& d : m_shown) {
        if (d.what == ShownDialog::MessageDialog || d.what == ShownDialog::MessageBox)
            list << d;
    }
    return list;
}

ShownDialog DialogRecorder::last() const
{
    QMutexLocker lock(&m_mutex);
    return m_shown.isEmpty() ? ShownDialog{} : m_shown.constLast();
}

QStringList DialogRecorder::texts() const
{
    QStringList list;
    for (const ShownDialog& d : messages())
        list << d.text;
    return list;
}

void DialogRecorder::clear()
{
    QMutexLocker lock(&m_mutex);
    m_shown.clear();
    m_answers.clear();
    m_saveAnswers.clear();
    m_openAnswers.clear();
}

int DialogRecorder::messageDialog(const MessageDialogRequest& request)
{
    QMutexLocker lock(&m_mutex);
    ShownDialog d;
    d.what = ShownDialog::MessageDialog;
    d.kind = request.kind;
    d.caption = messageCaption(request.kind);
    d.text = request.text;
    d.buttons = buttonsOf(request.buttons);
    d.buttonLabels = labelsOf(d.buttons);
    d.focused = request.focused;
    // Unprepared: Enter presses the focused button.
    d.result = m_answers.isEmpty() ? modalResultOf(request.focused) : m_answers.takeFirst();
    m_shown << d;
    return d.result;
}

int DialogRecorder::messageBox(const MessageBoxRequest& request)
{
    QMutexLocker lock(&m_mutex);
    ShownDialog d;
    d.what = ShownDialog::MessageBox;
    d.kind = request.kind;
    d.caption = request.caption;
    d.text = request.text;
    d.buttons = buttonsOf(request.buttons);
    d.buttonLabels = labelsOf(d.buttons);
    d.focused = d.buttons.isEmpty() ? mbOK : d.buttons.constFirst();
    d.result = m_answers.isEmpty() ? modalResultOf(d.focused) : m_answers.takeFirst();
    m_shown << d;
    return d.result;
}

QString DialogRecorder::recordFileDialog(ShownDialog::Kind what, const FileDialogRequest& request, QStringList& answers)
{
    QMutexLocker lock(&m_mutex);
    ShownDialog d;
    d.what = what;
    d.caption = request.caption;
    d.file = request;
    d.fileResult = answers.isEmpty() ? QString() : answers.takeFirst();
    m_shown << d;
    return d.fileResult;
}

QString DialogRecorder::saveFileName(const FileDialogRequest& request)
{
    return recordFileDialog(ShownDialog::SaveFile, request, m_saveAnswers);
}

QString DialogRecorder::openFileName(const FileDialogRequest& request)
{
    return recordFileDialog(ShownDialog::OpenFile, request, m_openAnswers);
}

void DialogRecorder::playSound(TMsgDlgType kind)
{
    QMutexLocker lock(&m_mutex);
    ShownDialog d;
    d.what = ShownDialog::Sound;
    d.kind = kind;
    m_shown << d;
}

bool DialogRecorder::openWithSystem(const OpenRequest& request)
{
    QMutexLocker lock(&m_mutex);
    ShownDialog d;
    d.what = ShownDialog::OpenWithSystem;
    d.text = request.target;
    d.arguments = request.arguments;
    d.result = m_openResult ? 1 : 0;
    m_shown << d;
    return m_openResult;
}
