#include "core/dialogs.h"

#include "core/beklesinu.h"

#include <QAtomicPointer>
#include <QDebug>

namespace {

QAtomicPointer<DialogPresenter> g_presenter;

// Runs one presenter call on the main thread; without a presenter the request
// is reported on stderr and the fallback answer given.
template <typename R, typename Call> R present(const char* what, const QString& detail, R fallback, Call call)
{
    return callOnMainThread([&]() -> R {
        DialogPresenter* p = g_presenter.loadAcquire();
        if (!p) {
            qWarning().noquote() << "no dialog presenter installed;" << what << "not shown:" << detail;
            return fallback;
        }
        return call(*p);
    });
}

} // namespace

DialogPresenter::~DialogPresenter() = default;

TModalResult modalResultOf(TMsgDlgBtn button)
{
    switch (button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
    case mbClose: return mrClose;
    }
    return mrNone;
}

DialogPresenter* installDialogPresenter(DialogPresenter* presenter)
{
    return g_presenter.fetchAndStoreOrdered(presenter);
}

DialogPresenter* dialogPresenter()
{
    return g_presenter.loadAcquire();
}

int showMessageDialog(const MessageDialogRequest& request)
{
    return present(
        "message dialog", request.text, int(mrNone), [&](DialogPresenter& p) { return p.messageDialog(request); });
}

int showMessageBox(const MessageBoxRequest& request)
{
    return present("message box", request.text, int(mrNone), [&](DialogPresenter& p) { return p.messageBox(request); });
}

QString askSaveFileName(const FileDialogRequest& request)
{
    return present(
        "save dialog", request.caption, QString(), [&](DialogPresenter& p) { return p.saveFileName(request); });
}

QString askOpenFileName(const FileDialogRequest& request)
{
    return present(
        "open dialog", request.caption, QString(), [&](DialogPresenter& p) { return p.openFileName(request); });
}

void playDialogSound(TMsgDlgType kind)
{
    present("sound", QString::number(int(kind)), 0, [&](DialogPresenter& p) {
        p.playSound(kind);
        return 0;
    });
}

bool openWithSystem(const OpenRequest& request)
{
    return present(
        "open with the system", request.target, false, [&](DialogPresenter& p) { return p.openWithSystem(request); });
}

QString messageCaption(TMsgDlgType kind)
{
    switch (kind) {
    case mtWarning: return QStringLiteral("Uyarı");
    case mtError: return QStringLiteral("Hata");
    case mtInformation: return QStringLiteral("Bilgi");
    case mtConfirmation: return QStringLiteral("Soru");
    case mtCustom: break;
    }
    return {};
}

QString buttonLabel(TMsgDlgBtn button)
{
    switch (button) {
    case mbYes: return QStringLiteral("Evet");
    case mbNo: return QStringLiteral("Hayır");
    case mbOK: return QStringLiteral("Tamam");
    case mbCancel: return QStringLiteral("Vazgeç");
    case mbAbort: return QStringLiteral("İptal");
    case mbRetry: return QStringLiteral("Tekrar");
    case mbIgnore: return QStringLiteral("Atla");
    case mbNoToAll: return QStringLiteral("Tümüne Hayır");
    case mbYesToAll: return QStringLiteral("Tümüne Evet");
    case mbHelp: return QStringLiteral("Yardım");
    case mbAll:
    case mbClose: break;
    }
    return {};
}

QString shownButtonText(TMsgDlgBtn button)
{
    if (button == mbAll)
        return QStringLiteral("All");
    if (button == mbClose)
        return QStringLiteral("Close");
    return buttonLabel(button);
}

QList<TMsgDlgBtn> buttonsOf(TMsgDlgButtons set)
{
    QList<TMsgDlgBtn> list;
    for (int b = 0; b < TMsgDlgBtnCount; ++b) {
        if (set.contains(TMsgDlgBtn(b)))
            list << TMsgDlgBtn(b);
    }
    return list;
}

QString qtFileFilter(const QString& pairFilter)
{
    const QStringList parts = pairFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // The pattern side may list several patterns separated by ';'.
        const QString patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        filters << parts.at(i).trimmed() + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}
