#include "core/beklesinu.h"
#include "core/dialogrecorder.h"
#include "core/utils.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

class tst_dialogs : public QObject
{
    Q_OBJECT

private slots:
    void buttonSetBits_data();
    void buttonSetBits();
    void modalResults();
    void qtFileFilter_data();
    void qtFileFilter();
    void withoutPresenterNothingSucceeds();
    void recorderRestoresPreviousPresenter();
    void workerHandsDialogToMainThread();
    void recorderAnswersInOrderAndRecordsEverything();
};

void tst_dialogs::buttonSetBits_data()
{
    QTest::addColumn<quint32>("bits");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("OK alone is 4") << TMsgDlgButtons{mbOK}.bits() << 4u;
    QTest::newRow("Yes and No is 3") << TMsgDlgButtons{mbYes, mbNo}.bits() << 3u;
    QTest::newRow("OK Cancel") << TMsgDlgButtons{mbOK, mbCancel}.bits() << 12u;
    QTest::newRow("bits beyond Close dropped") << TMsgDlgButtons::fromBits(0xFFFFFFFFu).bits() << 0xFFFu;
}

void tst_dialogs::buttonSetBits()
{
    QFETCH(quint32, bits);
    QFETCH(quint32, expected);
    QCOMPARE(bits, expected);
}

void tst_dialogs::modalResults()
{
    QCOMPARE(int(modalResultOf(mbOK)), 1);
    QCOMPARE(int(modalResultOf(mbYes)), 6);
    QCOMPARE(int(modalResultOf(mbNo)), 7);
    QCOMPARE(int(modalResultOf(mbCancel)), 2);
    QCOMPARE(buttonsOf({mbNo, mbYes, mbCancel}), (QList<TMsgDlgBtn>{mbYes, mbNo, mbCancel}));
}

void tst_dialogs::qtFileFilter_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("qt");
    QTest::newRow("excel") << u"Excel|*.xls*"_s << u"Excel (*.xls*)"_s;
    QTest::newRow("two filters") << u"Excel|*.xls*|Tümü|*.*"_s << u"Excel (*.xls*);;Tümü (*.*)"_s;
    QTest::newRow("several patterns") << u"Resim|*.png;*.jpg"_s << u"Resim (*.png *.jpg)"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("name without pattern ignored") << u"Excel"_s << QString();
}

void tst_dialogs::qtFileFilter()
{
    QFETCH(QString, pairs);
    QFETCH(QString, qt);
    QCOMPARE(::qtFileFilter(pairs), qt);
}

void tst_dialogs::withoutPresenterNothingSucceeds()
{
    DialogPresenter* before = installDialogPresenter(nullptr);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"no dialog presenter installed"_s));
    QCOMPARE(MesajGoster(u"x"_s, mtConfirmation, {mbYes, mbNo}, 0, mbYes), int(mrNone));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"no dialog presenter installed"_s));
    QCOMPARE(askSaveFileName({}), QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"no dialog presenter installed"_s));
    QCOMPARE(openWithSystem({u"/tmp"_s, {}}), false);
    installDialogPresenter(before);
}

void tst_dialogs::recorderRestoresPreviousPresenter()
{
    DialogRecorder outer;
    {
        DialogRecorder inner;
        QCOMPARE(dialogPresenter(), &inner);
        MesajGoster(u"iç"_s, mtInformation, {mbOK}, 0, mbOK);
    }
    QCOMPARE(dialogPresenter(), &outer);
    MesajGoster(u"dış"_s, mtInformation, {mbOK}, 0, mbOK);
    QCOMPARE(outer.texts(), QStringList{u"dış"_s});
}

void tst_dialogs::workerHandsDialogToMainThread()
{
    // The presenter must run on the main thread even when a worker asks, and
    // the worker must get the answer back.
    struct ThreadCheckingRecorder : DialogRecorder
    {
        QThread* seenOn = nullptr;
        int messageDialog(const MessageDialogRequest& r) override
        {
            seenOn = QThread::currentThread();
            return DialogRecorder::messageDialog(r);
        }
    } dialogs;
    dialogs.answer(mrNo);

    int answer = -1;
    std::atomic<bool> finished = false;
    std::thread worker([&] {
        answer = MesajGoster(u"İşçiden soru"_s, mtConfirmation, {mbYes, mbNo}, 0, mbYes);
        finished = true;
    });
    QTRY_VERIFY(finished.load());
    worker.join();
    QCOMPARE(answer, int(mrNo));
    QCOMPARE(dialogs.seenOn, QThread::currentThread());
    QCOMPARE(dialogs.last().text, u"İşçiden soru"_s);
}

void tst_dialogs::recorderAnswersInOrderAndRecordsEverything()
{
    DialogRecorder dialogs;
    dialogs.answer(mrNo);
    dialogs.answer(mrOk);
    dialogs.answerSaveFile(u"/tmp/sepet.xls"_s);
    dialogs.setOpenResult(false);

    QCOMPARE(MesajGoster(u"Silinsin mi"_s, mtConfirmation, {mbYes, mbNo}, 0, mbNo), int(mrNo));
    QCOMPARE(showMessageBox({u"Fiyat Değiştirildi !"_s, u"Bilgi"_s, mtInformation, {mbOK}}), int(mrOk));
    FileDialogRequest save;
    save.filter = u"Excel|*.xls*"_s;
    QCOMPARE(askSaveFileName(save), u"/tmp/sepet.xls"_s);
    QCOMPARE(askSaveFileName(save), QString()); // nothing queued: cancelled
    playDialogSound(mtError);
    QCOMPARE(openWithSystem({u"/tmp/rapor1.pdf"_s, {}}), false);
    QCOMPARE(openWithSystem({u"/tmp/kur.exe"_s, {u"/silent"_s}}), false);

    const QList<ShownDialog> s = dialogs.shown();
    QCOMPARE(s.size(), 7);
    QCOMPARE(s[0].what, ShownDialog::MessageDialog);
    QCOMPARE(s[0].focused, mbNo);
    QCOMPARE(s[1].what, ShownDialog::MessageBox);
    QCOMPARE(s[1].caption, u"Bilgi"_s);
    QCOMPARE(s[1].kind, mtInformation);
    QCOMPARE(s[2].what, ShownDialog::SaveFile);
    QCOMPARE(s[2].file.filter, u"Excel|*.xls*"_s);
    QCOMPARE(s[3].fileResult, QString());
    QCOMPARE(s[4].what, ShownDialog::Sound);
    QCOMPARE(s[4].kind, mtError);
    QCOMPARE(s[5].what, ShownDialog::OpenWithSystem);
    QCOMPARE(s[5].text, u"/tmp/rapor1.pdf"_s);
    QCOMPARE(s[6].arguments, QStringList{u"/silent"_s});
    QCOMPARE(dialogs.messages().size(), 2);
}

QTEST_GUILESS_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
