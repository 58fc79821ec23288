// Renders the stock list (wide and narrow) and the add-to-basket dialog with
// real data from a running zelvori-appserver, as PNG files, for looking at
// them. Run under a display (xvfb-run) with
//   ZELVORI_SUNUCU=127.0.0.1:PORT ZELVORI_WEB=http://127.0.0.1:PORT/ demo_katalog OUTDIR [TEXT]
#include "catalogue/stokayarintiU.h"
#include "catalogue/stoklistesiu.h"
#include "catalogue/asyncresimu.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void bekle(int ms)
{
    QEventLoop dongu;
    QTimer::singleShot(ms, &dongu, &QEventLoop::quit);
    dongu.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString cikis = args.value(1, u"/tmp"_s);
    const QString metin = args.value(2, u"FREN"_s);

    DialogRecorder dialoglar;
    datasnap::Connection bagc;
    SunucuAdresiniYaz(bagc);
    TSonucBilgisi sbilgi;
    sbilgi.setCARINO(1002);
    sbilgi.setMusteriTipi(2);
    MemTable stok, sepet;
    TKatalogBaglami baglam;
    baglam.bagc = &bagc;
    baglam.sbilgi = &sbilgi;
    baglam.sepet = &sepet;
    baglam.SepetYukle = [&] { sepet.assign(TableData({{u"STOKNO"_s, FieldType::Integer}})); };
    baglam.PencereGoster = [&](QDialog &d) {
        d.show();
        if (auto *s = qobject_cast<Tstokayarinti *>(&d)) {
            QSignalSpy resim(s->AsyncResim1, &UrlPictureBox::loadFinished);
            resim.wait(3000);
        }
        bekle(200);
        d.grab().save(cikis + u"/stokayarinti.png"_s);
        return int(QDialog::Rejected);
    };

    QWidget pencere;
    auto *duzen = new QVBoxLayout(&pencere);
    auto *cubuk = new QHBoxLayout;
    duzen->addLayout(cubuk);
    auto *sekme = new TStokListesi(baglam, stok, &pencere);
    sekme->AramaCubugunaYerlestir(cubuk);
    cubuk->addStretch(1);
    duzen->addWidget(sekme);
    QObject::connect(sekme, &TStokListesi::BaslikDegisti, &pencere,
                     [&](const QString &b) { pencere.setWindowTitle(b); });

    for (int genislik : {1400, 1100}) {
        pencere.resize(genislik, 850);
        pencere.show();
        bekle(200);
        QSignalSpy bitti(sekme, &TStokListesi::AramaBitti);
        sekme->AramaYap(metin);
        if (!bitti.wait(20000) || !bitti.first().first().toBool()) {
            std::fprintf(stderr, "demo_katalog: search failed: %s\n", qPrintable(dialoglar.texts().join(u" | "_s)));
            return 1;
        }
        sekme->DuzenUygula();
        bekle(300);
        pencere.grab().save(cikis + u"/stoklistesi_%1.png"_s.arg(genislik));
        std::printf("%d px: %s, %d rows\n", genislik, qPrintable(sekme->Baslik()), stok.RecordCount());
    }
    // An item with a picture, so that the dialog shows one.
    int satir = 0;
    const int resim = stok.data().fieldIndex(u"RESIM");
    for (int r = 0; r < stok.RecordCount(); ++r)
        if (resim >= 0 && stok.data().intValue(r, resim) == 1) {
            satir = r;
            break;
        }
    sekme->cxGrid1->setFocusedRow(satir);
    sekme->S2Click();
    return 0;
}
