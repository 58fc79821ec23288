#include "account/hesapizgarasi.h"

#include "basket/sepettoplami.h"
#include "core/baglantikontrol.h"
#include "core/utils.h"
#include "server/proxim.h"
#include "platform/grid/datagrid.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

void HesapIzgarasiKur(DataGrid* grid, int fontPx)
{
    grid->setRowSelect(true);
    grid->setIncrementalSearchEnabled(true);
    grid->setFilterButtonsVisible(true);
    grid->setGroupByBoxVisible(false);
    grid->setHeaderHeight(40);
    grid->setRowHeight(40);
    grid->setHeaderAlignment(Qt::AlignCenter);
    grid->setFooterVisible(true);
    GridStyles stiller;
    stiller.content = sharedstyles::lightGrey();
    stiller.evenRow = sharedstyles::white();
    stiller.oddRow = sharedstyles::lightGrey();
    stiller.header = sharedstyles::darkSlate();
    stiller.indicator = sharedstyles::darkGrey();
    stiller.selection = sharedstyles::paleBlue();
    grid->setStyles(stiller);
    QFont f(u"Tahoma"_s);
    f.setPixelSize(fontPx);
    grid->setGridFont(f);
}

QLabel* DegerEtiketi(QWidget* sahip, const QString& ad, bool kalin)
{
    auto* l = new QLabel(sahip);
    l->setObjectName(ad);
    QFont f(u"Tahoma"_s);
    f.setPixelSize(14);
    f.setBold(kalin);
    l->setFont(f);
    return l;
}

QWidget* ToplamKutusu(QWidget* sahip, TToplamEtiketleri& e)
{
    auto* kutu = new QWidget(sahip);
    auto* duzen = new QGridLayout(kutu);
    duzen->setContentsMargins(8, 0, 8, 0);
    duzen->setVerticalSpacing(2);
    e.aratoplaml = DegerEtiketi(kutu, u"aratoplaml"_s);
    e.indiriml = DegerEtiketi(kutu, u"indiriml"_s);
    e.nettutarl = DegerEtiketi(kutu, u"nettutarl"_s);
    e.vergil = DegerEtiketi(kutu, u"vergil"_s);
    e.geneltoplaml = DegerEtiketi(kutu, u"geneltoplaml"_s, true);
    const QList<QPair<QString, QLabel*>> satirlar{{u"Toplam:"_s, e.aratoplaml},
                                                   {u"İndirim Toplam:"_s, e.indiriml},
                                                   {u"Ara Toplam:"_s, e.nettutarl},
                                                   {u"Vergi:"_s, e.vergil},
                                                   {u"Genel Toplam:"_s, e.geneltoplaml}};
    for (int i = 0; i < satirlar.size(); ++i) {
        auto* baslik = new QLabel(satirlar[i].first, kutu);
        baslik->setFont(satirlar[i].second->font());
        satirlar[i].second->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        satirlar[i].second->setMinimumWidth(120);
        duzen->addWidget(baslik, i, 0);
        duzen->addWidget(satirlar[i].second, i, 1);
    }
    return kutu;
}

QWidget* KapatExcelTuslari(QWidget* sahip, QPushButton*& kapat, QPushButton*& excel)
{
    auto* kutu = new QWidget(sahip);
    auto* duzen = new QVBoxLayout(kutu);
    duzen->setContentsMargins(0, 0, 0, 0);
    kapat = new QPushButton(u"Kapat"_s, kutu);
    kapat->setObjectName(u"Kapat"_s);
    excel = new QPushButton(u"Excel Kaydet"_s, kutu);
    excel->setObjectName(u"Button2"_s);
    for (QPushButton* b : {kapat, excel}) {
        b->setFixedSize(140, 44);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        duzen->addWidget(b);
    }
    return kutu;
}

int PencereyiGoster(QDialog& pencere, const PencereGosterici& gosterici)
{
    return gosterici ? gosterici(pencere) : pencere.exec();
}

bool AnaBaglantidaCagir(datasnap::Connection& bagc, const std::function<void(TServerMethods1Client&)>& cagri)
{
    if (!BaglantiKontrol(bagc, 1))
        return false;
    bool tamam = false;
    try {
        TServerMethods1Client istemci(bagc);
        cagri(istemci);
        tamam = true;
    } catch (const datasnap::ServerError& e) {
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
    }
    bagc.Close();
    return tamam;
}
