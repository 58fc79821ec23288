#include "core/ui/qtdialogpresenter.h"

#include "platform/os/folders.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kWrapWidth = 640;

QStyle::StandardPixmap iconOf(TMsgDlgType kind)
{
    switch (kind) {
    case mtWarning: return QStyle::SP_MessageBoxWarning;
    case mtError: return QStyle::SP_MessageBoxCritical;
    case mtInformation: return QStyle::SP_MessageBoxInformation;
    case mtConfirmation: return QStyle::SP_MessageBoxQuestion;
    case mtCustom: break;
    }
    return QStyle::SP_CustomBase;
}

// The button Escape presses: Cancel, else No, else OK when it is the only one.
int cancelResultOf(TMsgDlgButtons buttons)
{
    if (buttons.contains(mbCancel))
        return mrCancel;
    if (buttons.contains(mbNo))
        return mrNo;
    if (buttons == TMsgDlgButtons{mbOK})
        return mrOk;
    return mrCancel;
}

} // namespace

MessageDialog::MessageDialog(const QString& caption, const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
    TMsgDlgBtn focused, Look look, QWidget* parent)
    : QDialog(parent)
    , m_focused(focused)
    , m_cancelResult(cancelResultOf(buttons))
    , m_look(look)
{
    setWindowTitle(caption.isEmpty() ? QApplication::applicationDisplayName() : caption);
    setModal(true);
    if (look == Look::Message) {
        QFont f = font();
        f.setPointSize(15);
        setFont(f);
    }

    auto* textRow = new QHBoxLayout;
    if (const QStyle::StandardPixmap icon = iconOf(kind); icon != QStyle::SP_CustomBase) {
        auto* iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        textRow->addWidget(iconLabel);
    }
    // Texts written for the other platform end lines with "\r\n".
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text = new QLabel(shown, this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Short texts stay on their lines; a long one (a server's error text)
    // wraps instead of making the dialog wider than the screen.
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest > kWrapWidth) {
        m_text->setWordWrap(true);
        m_text->setFixedWidth(kWrapWidth);
    }
    textRow->addWidget(m_text, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (TMsgDlgBtn b : buttonsOf(buttons)) {
        auto* pb = new QPushButton(shownButtonText(b), this);
        pb->setObjectName(QStringLiteral("button%1").arg(int(b)));
        pb->setAutoDefault(true);
        const int result = modalResultOf(b);
        connect(pb, &QPushButton::clicked, this, [this, result] { done(result); });
        m_buttons.insert(int(b), pb);
        m_order << pb;
        buttonRow->addWidget(pb);
    }
    buttonRow->addStretch(1);

    textRow->setSpacing(14);
    buttonRow->setSpacing(8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(textRow);
    layout->addSpacing(12);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The focused button is the default and takes the first tab position.
    if (QPushButton* first = m_buttons.value(int(focused), m_order.value(0))) {
        first->setDefault(true);
        QWidget* previous = first;
        for (QPushButton* pb : std::as_const(m_order)) {
            if (pb == first)
                continue;
            setTabOrder(previous, pb);
            previous = pb;
        }
        first->setFocus(Qt::OtherFocusReason);
    }
}

QString MessageDialog::text() const
{
    return m_text->text();
}

void MessageDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Over the owning window for the message dialog, the screen's centre for a
    // plain box (and when there is no owner).
    const QWidget* owner = m_look == Look::Message ? parentWidget() : nullptr;
    const QRect area = owner ? owner->window()->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
    if (QPushButton* first = m_buttons.value(int(m_focused), m_order.value(0)))
        first->setFocus(Qt::OtherFocusReason);
}

void MessageDialog::reject()
{
    done(m_cancelResult);
}

int QtDialogPresenter::messageDialog(const MessageDialogRequest& request)
{
    MessageDialog dialog(messageCaption(request.kind), request.text, request.kind, request.buttons, request.focused,
        MessageDialog::Look::Message, QApplication::activeWindow());
    playSound(request.kind);
    return dialog.exec();
}

int QtDialogPresenter::messageBox(const MessageBoxRequest& request)
{
    const TMsgDlgButtons buttons = request.buttons.isEmpty() ? TMsgDlgButtons{mbOK} : request.buttons;
    MessageDialog dialog(request.caption, request.text, request.kind, buttons, buttonsOf(buttons).constFirst(),
        MessageDialog::Look::Box, QApplication::activeWindow());
    playSound(request.kind);
    return dialog.exec();
}

namespace {

QString runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.directory, qtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtDialogPresenter::saveFileName(const FileDialogRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

QString QtDialogPresenter::openFileName(const FileDialogRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

void QtDialogPresenter::playSound(TMsgDlgType kind)
{
    // The desktop has one alert sound; every kind but the custom one rings it.
    if (kind != mtCustom)
        QApplication::beep();
}

bool QtDialogPresenter::openWithSystem(const OpenRequest& request)
{
    if (request.arguments.isEmpty() && !request.target.contains(QStringLiteral("://"))
        && !request.target.startsWith(QStringLiteral("mailto:")))
        return os::openWithSystem(request.target);
    if (request.arguments.isEmpty() && QDesktopServices::openUrl(QUrl(request.target)))
        return true;
    return os::openWithSystem(request.target, request.arguments);
}
