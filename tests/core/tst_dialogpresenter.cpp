#include "core/ui/qtdialogpresenter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_dialogpresenter : public QObject
{
    Q_OBJECT

private slots:
    void look_data();
    void look();
    void keys_data();
    void keys();
    void tabStartsAtFocusedButton();
    void plainBoxKeepsItsCaption();
    void lineEndsAndLongTexts();
};

void tst_dialogpresenter::look_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint32>("buttons");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("error OK") << int(mtError) << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << u"Hata"_s
                              << QStringList{u"Tamam"_s};
    QTest::newRow("question") << int(mtConfirmation) << TMsgDlgButtons{mbYes, mbNo}.bits() << int(mbYes) << u"Soru"_s
                              << QStringList{u"Evet"_s, u"Hayır"_s};
    QTest::newRow("warning with cancel") << int(mtWarning) << TMsgDlgButtons{mbOK, mbCancel}.bits() << int(mbCancel)
                                         << u"Uyarı"_s << QStringList{u"Tamam"_s, u"Vazgeç"_s};
    QTest::newRow("information") << int(mtInformation) << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << u"Bilgi"_s
                                 << QStringList{u"Tamam"_s};
}

void tst_dialogpresenter::look()
{
    QFETCH(int, kind);
    QFETCH(quint32, buttons);
    QFETCH(int, focus);
    QFETCH(QString, caption);
    QFETCH(QStringList, labels);
    MessageDialog d(messageCaption(TMsgDlgType(kind)), u"Sepet Silindi !"_s, TMsgDlgType(kind),
        TMsgDlgButtons::fromBits(buttons), TMsgDlgBtn(focus), MessageDialog::Look::Message);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(d.windowTitle(), caption);
    QCOMPARE(d.text(), u"Sepet Silindi !"_s);
    QCOMPARE(d.font().pointSize(), 15);
    QStringList shown;
    for (QPushButton* b : d.buttonsInOrder())
        shown << b->text();
    QCOMPARE(shown, labels);
    QPushButton* focused = d.button(TMsgDlgBtn(focus));
    QVERIFY(focused);
    QCOMPARE(QApplication::focusWidget(), focused);
    QVERIFY(focused->isDefault());
}

void tst_dialogpresenter::keys_data()
{
    QTest::addColumn<quint32>("buttons");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter on focused No") << TMsgDlgButtons{mbYes, mbNo}.bits() << int(mbNo) << int(Qt::Key_Return)
                                         << int(mrNo);
    QTest::newRow("Enter on focused Yes")
        << TMsgDlgButtons{mbYes, mbNo}.bits() << int(mbYes) << int(Qt::Key_Return) << int(mrYes);
    QTest::newRow("keypad Enter on OK") << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << int(Qt::Key_Enter) << int(mrOk);
    QTest::newRow("Escape on a question answers No")
        << TMsgDlgButtons{mbYes, mbNo}.bits() << int(mbYes) << int(Qt::Key_Escape) << int(mrNo);
    QTest::newRow("Escape on OK answers OK")
        << TMsgDlgButtons{mbOK}.bits() << int(mbOK) << int(Qt::Key_Escape) << int(mrOk);
    QTest::newRow("Escape prefers Cancel")
        << TMsgDlgButtons{mbYes, mbNo, mbCancel}.bits() << int(mbYes) << int(Qt::Key_Escape) << int(mrCancel);
    QTest::newRow("Space presses the focused button")
        << TMsgDlgButtons{mbOK, mbCancel}.bits() << int(mbCancel) << int(Qt::Key_Space) << int(mrCancel);
}

void tst_dialogpresenter::keys()
{
    QFETCH(quint32, buttons);
    QFETCH(int, focus);
    QFETCH(int, key);
    QFETCH(int, result);
    MessageDialog d(u"Soru"_s, u"Tüm Sepeti Silmek İstiyor musunuz "_s, mtConfirmation,
        TMsgDlgButtons::fromBits(buttons), TMsgDlgBtn(focus), MessageDialog::Look::Message);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QTRY_VERIFY(!d.isVisible());
    QCOMPARE(d.result(), result);
}

void tst_dialogpresenter::tabStartsAtFocusedButton()
{
    MessageDialog d(u"Soru"_s, u"x"_s, mtConfirmation, {mbYes, mbNo, mbCancel}, mbNo, MessageDialog::Look::Message);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), d.button(mbNo));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.button(mbYes));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.button(mbCancel));
}

void tst_dialogpresenter::plainBoxKeepsItsCaption()
{
    MessageDialog d(u"Bilgi"_s, u"Fiyat Değiştirildi !"_s, mtInformation, {mbOK}, mbOK, MessageDialog::Look::Box);
    QCOMPARE(d.windowTitle(), u"Bilgi"_s);
    QCOMPARE(d.font().pointSize(), QApplication::font().pointSize()); // the box keeps the program's font
    QCOMPARE(d.buttonsInOrder().size(), 1);
    QCOMPARE(d.buttonsInOrder().constFirst()->text(), u"Tamam"_s);
}

void tst_dialogpresenter::lineEndsAndLongTexts()
{
    MessageDialog crlf(
        u"Hata"_s, u"Hata Oluştu !\r\nHata: zaman aşımı"_s, mtError, {mbOK}, mbOK, MessageDialog::Look::Box);
    QCOMPARE(crlf.text(), u"Hata Oluştu !\nHata: zaman aşımı"_s);

    const QString longText = QString(u"Sunucu bağlantısı beklenmedik biçimde kapandı. "_s).repeated(12);
    MessageDialog wide(u"Hata"_s, longText, mtError, {mbOK}, mbOK, MessageDialog::Look::Message);
    wide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wide));
    QVERIFY2(wide.width() < 900, qPrintable(QString::number(wide.width())));
    QVERIFY(wide.height() > 2 * QFontMetrics(wide.font()).height()); // it wrapped onto several lines
}

QTEST_MAIN(tst_dialogpresenter)
#include "tst_dialogpresenter.moc"
