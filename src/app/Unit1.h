#pragma once
// The main window TForm1: the frame of the program. It owns the server
// connection bagc, the sign-in record sbilgi and the in-memory tables, lays
// out the header, the search bar, the tabs, the legend and the bottom panel,
// holds the menus, signs the user in, applies the user-type rules, runs the
// start-up job and asks before closing. The tabs' contents are classes of the
// feature folders, plugged in with SekmeTak (see docs/architecture.md,
// "How a tab plugs into TForm1").

#include "app/kullanicitipi.h"
#include "app/sekmeler.h"
#include "catalogue/katalogbaglami.h"
#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"
#include "platform/dataset/memtable.h"

#include <QAction>
#include <QBoxLayout>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <atomic>
#include <concepts>
#include <functional>
#include <memory>
#include <optional>

class QBoxLayout;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // Whether the feature tabs are plugged in (Takma: the frame with its
    // placeholders only, for tests of the frame itself).
    enum class Icerik { Tak, Takma };

    // Builds the frame; nothing is shown and nobody is signed in yet.
    explicit TForm1(QWidget* parent = nullptr, Icerik icerik = Icerik::Tak);
    ~TForm1() override;

    // Start-up: window captions, the computer's identity into sbilgi, bagc's
    // host and port, the modal sign-in (GirisYap), then the start-up job in
    // the background. Returns false when the sign-in did not succeed; the
    // program has then been ended (ProgramiSonlandir) and the caller returns.
    bool FormCreate();

    // Sign-in step of FormCreate: the sign-in window, then the user-type rules.
    bool GirisYap();

    // ---- state owned by the window
    std::unique_ptr<datasnap::Connection> bagc;
    std::unique_ptr<TSonucBilgisi> sbilgi;
    // The tables behind the grids of the tabs.
    std::unique_ptr<MemTable> stok, sepet, ONCEKILER, EKSTRE, YENILER, kampstok;
    int _acilisadet = 0;

    // ---- tabs
    // Puts `icerik` into the tab's page in place of its placeholder (the page
    // owns it from then on) and connects what the class offers. Recognised
    // members, all optional, found at compile time by name (see
    // docs/architecture.md, "How a tab plugs into TForm1"):
    //   signals  BaslikDegisti(const QString&)    the tab's caption ("37=Stok Listesi")
    //            OneGetir()                        make this tab the active one
    //            Yukleniyor(bool)                  show / hide the tab's busy indicator
    //            BaglantiIstendi(const QString&)   "#KAMPANYA#", "#YENİ#", else search
    //            SepetDegisti()                    the basket changed: reload the basket tab
    //   methods  KullaniciTipiUygula(int)          user-type rules of the tab's grid
    //            Gosterildi() / Gizlendi()         the page became / stopped being active
    //            Gosterge() -> QWidget*            the tab's own busy indicator, placed
    //                                              in the search bar in the tab's slot
    //            <action>Click()                   items of the tab's popup menu in TForm1
    //                                              (Deitir1Click, S1Click, H1Click, ...)
    //   stock list only:
    //            AramaCubugunaYerlestir(QBoxLayout*) the tab's own search box and buttons
    //                                              (members araedit, SpeedButton2,
    //                                              SpeedButton1, gifstokara) replace the frame's
    //            AramaYap(const QString&)          search for a text as by "Ara"
    //            SpeedButton2Click()               "Ara"
    //            CariDegisti()                     customer switched: list emptied, "0=Stok Listesi"
    //   basket only:
    //            Yenile()                          reload the basket
    template <typename T>
    T* SekmeTak(Sekme sekme, T* icerik);

    QWidget* SekmeSayfasi(Sekme sekme) const;
    // The plugged-in content, or nullptr while the placeholder is shown.
    QWidget* SekmeIcerigi(Sekme sekme) const;
    QString SekmeBasligiOku(Sekme sekme) const;
    void SekmeBasligiYaz(Sekme sekme, const QString& baslik);
    void SekmeSayisiYaz(Sekme sekme, int sayi);
    void SekmeyiEtkinlestir(Sekme sekme);
    bool SekmeGorunur(Sekme sekme) const;
    // The busy indicator of a tab that loads in the background, else nullptr.
    QWidget* MesgulGostergesi(Sekme sekme) const;
    void MesgulGoster(Sekme sekme, bool goster);

    // ---- what the window offers to tabs and windows
    // A link text of adverts and announcements: "#KAMPANYA#" opens the campaign
    // tab, "#YENİ#" the new-items tab, any other text is put into araedit and
    // searched as by "Ara".
    void BaglantiAc(const QString& metin);
    // "Ara": when araedit is enabled, the stock list's search.
    void AramaBaslat();
    // The basket reload (the basket tab's Yenile).
    void SepetYenile();
    // The three header labels from sbilgi.
    void AnaBilgiAl();
    // The user-type rules of sbilgi's MusteriTipi.
    void KullaniciTipiUygula(int musteriTipi);
    // "Başka Cari Seç": the customer selection, then the header, the basket,
    // the emptied stock list, whatever the selection's result.
    void MusteriDegistir();

    // ---- windows that later work plugs in (empty: the item does nothing)
    // The customer-selection window from "Başka Cari Seç" (user types 1 and 2).
    std::function<void()> CariSecimiAc;
    // The reports window of "Raporlar".
    std::function<void()> RaporlarAc;
    // The opening adverts, shown modally when _acilisadet is not 0: the link
    // text chosen by the user, or nothing when the window closed otherwise.
    std::function<std::optional<QString>()> AcilisReklamlariGoster;
    // Steps of the start-up job after the header labels, run in order on the
    // job's worker thread (each clones bagc itself; see BaslangicIsi).
    QList<std::function<void()>> BaslangicAdimlari;

    // Starts the start-up job in the background as FormCreate does:
    // BaslangicIsi on a worker, then AcilisReklamAdimi on the main thread.
    // A window destroyed while the job runs stops it first (the running
    // step's hand-offs to the main thread are dropped) and waits for it.
    void BaslangicIsiniBaslat();
    // The start-up job's body (worker thread) and its completion (main thread).
    void BaslangicIsi();
    void AcilisReklamAdimi();

    // ---- frame, top to bottom (names as designed)
    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QWidget* GridPanel1 = nullptr;
    QLabel* kullanicilbl = nullptr;
    QLabel* cariadilbl = nullptr;
    QLabel* saticilbl = nullptr;
    QToolButton* Button3 = nullptr;
    QLabel* GifResim1 = nullptr;

    QFrame* Panel2 = nullptr;
    QLabel* Image2 = nullptr;
    QLineEdit* araedit = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* musteritus = nullptr;
    QWidget* gifstokara = nullptr;
    QWidget* gifyeniler = nullptr;
    QWidget* gifkampanyali = nullptr;
    QWidget* gifduyuru = nullptr;
    QWidget* gifoncekiler = nullptr;
    QWidget* gifsepet = nullptr;
    QWidget* gifekstre = nullptr;

    QLabel* RxGIFAnimator2 = nullptr; // top banner strip, 0 px high until a banner loads

    QTabWidget* sPageControl1 = nullptr;
    QWidget* sstoklistesi = nullptr;
    QWidget* ssepet = nullptr;
    QWidget* sonceki = nullptr;
    QWidget* sccariekstre = nullptr;
    QWidget* syeniler = nullptr;
    QWidget* skampanyali = nullptr;
    QWidget* sTabSheetduyuru = nullptr;
    QWidget* sTabbakiyeler = nullptr;
    QWidget* ss = nullptr;

    QWidget* Panel3 = nullptr; // status legend
    QFrame* Panel5 = nullptr;  // bottom panel: scrolling text and bottom banner

    // ---- menus
    QMenu* Genelmenu = nullptr;
    QAction* M1 = nullptr;         // "Mail Gönder"
    QAction* N4 = nullptr;         // "Şifre Değiştirme İsteği"
    QAction* WebSitesi1 = nullptr; // the distributor's web address
    QAction* G1 = nullptr;         // "Çıkış"
    QAction* R1 = nullptr;         // "Raporlar", hidden at design time

    QMenu* popstok = nullptr;    // stock grid: S2, B1, S3, StokHareketleri1
    QMenu* PopupMenu1 = nullptr; // basket grid: Deitir1, SatrSil1, HepsiniSil1
    QMenu* poponceki = nullptr;  // previous orders: S1, SipariBakiyeleriniz1, T1
    QMenu* popekstre = nullptr;  // statement: H1

    // The popup menu of a tab's grid, or nullptr.
    QMenu* SekmeMenusu(Sekme sekme) const;

    // Menu actions.
    void M1Click();
    void N4Click();
    void WebSitesi1Click();

protected:
    // The close confirmation (FormCloseQuery).
    void closeEvent(QCloseEvent* event) override;

private:
    struct SekmeBaglantisi
    {
        QWidget* sayfa = nullptr;
        QPointer<QWidget> icerik;
        QWidget* yerTutucu = nullptr;
        QWidget* mesgul = nullptr;
        std::function<void()> gosterildi;
        std::function<void()> gizlendi;
        std::function<void(int)> kullaniciTipi;
    };

    void cerceveyiKur();
    void ustPaneliKur();
    void aramaCubugunuKur();
    void sekmeleriKur();
    void menuleriKur();
    void sekmeIcerikleriniTak();
    TKatalogBaglami katalogBaglami();
    void sekmeDegisti(int index);
    int sekmeIndeksi(Sekme sekme) const;
    SekmeBaglantisi& baglanti(Sekme sekme) { return m_sekmeler[static_cast<int>(sekme)]; }
    const SekmeBaglantisi& baglanti(Sekme sekme) const { return m_sekmeler[static_cast<int>(sekme)]; }
    void icerigiYerlestir(Sekme sekme, QWidget* icerik);
    void menuEylemleriniBagla(Sekme sekme, const std::function<void(QAction*)>& bagla);
    // Replaces the frame's busy indicator of a tab with the tab's own, in place.
    void mesgulGostergesiniDegistir(Sekme sekme, QWidget* gosterge);
    // Removes the frame's own search box and buttons; aramaKutusuYeri() is the
    // layout slot where a stock tab puts its own.
    void aramaKutusunuBirak();
    QBoxLayout* aramaKutusuYeri();

    std::array<SekmeBaglantisi, SekmeSayisi> m_sekmeler;
    int m_etkinSekme = -1;
    // The start-up job: set while it runs; `dur` asks it to stop.
    struct BaslangicDurumu
    {
        std::atomic<bool> calisiyor{false};
        std::atomic<bool> dur{false};
    };
    std::shared_ptr<BaslangicDurumu> m_baslangic = std::make_shared<BaslangicDurumu>();
    // Actions of the stock and basket tabs that the frame itself triggers.
    std::function<void()> m_stokAra, m_stokCariDegisti, m_sepetYenile;
    std::function<void(const QString&)> m_stokMetinAra;
    QBoxLayout* m_aramaYeri = nullptr;
};

// ---------------------------------------------------------------- SekmeTak

template <typename T>
T* TForm1::SekmeTak(Sekme sekme, T* icerik)
{
    static_assert(std::derived_from<T, QWidget>, "a tab's content is a widget");
    icerigiYerlestir(sekme, icerik);
    SekmeBaglantisi& b = baglanti(sekme);

    if constexpr (requires { &T::BaslikDegisti; })
        connect(icerik, &T::BaslikDegisti, this,
                [this, sekme](const QString& s) { SekmeBasligiYaz(sekme, s); });
    if constexpr (requires { &T::OneGetir; })
        connect(icerik, &T::OneGetir, this, [this, sekme] { SekmeyiEtkinlestir(sekme); });
    if constexpr (requires { &T::Yukleniyor; })
        connect(icerik, &T::Yukleniyor, this, [this, sekme](bool on) { MesgulGoster(sekme, on); });
    if constexpr (requires { &T::BaglantiIstendi; })
        connect(icerik, &T::BaglantiIstendi, this, [this](const QString& m) { BaglantiAc(m); });
    if constexpr (requires { &T::SepetDegisti; })
        connect(icerik, &T::SepetDegisti, this, [this] { SepetYenile(); });

    if constexpr (requires(T t) { t.Gosterildi(); })
        b.gosterildi = [icerik] { icerik->Gosterildi(); };
    if constexpr (requires(T t) { t.Gizlendi(); })
        b.gizlendi = [icerik] { icerik->Gizlendi(); };
    if constexpr (requires(T t, int tip) { t.KullaniciTipiUygula(tip); })
        b.kullaniciTipi = [icerik](int tip) { icerik->KullaniciTipiUygula(tip); };
    if constexpr (requires(T t) { { t.Gosterge() } -> std::convertible_to<QWidget*>; })
        mesgulGostergesiniDegistir(sekme, icerik->Gosterge());

    if (sekme == Sekme::StokListesi) {
        if constexpr (requires(T t, QBoxLayout* l) { t.AramaCubugunaYerlestir(l); }) {
            aramaKutusunuBirak();
            QBoxLayout* yer = aramaKutusuYeri();
            icerik->AramaCubugunaYerlestir(yer);
            araedit = icerik->araedit;
            SpeedButton2 = icerik->SpeedButton2;
            SpeedButton1 = icerik->SpeedButton1;
            mesgulGostergesiniDegistir(sekme, icerik->gifstokara);
        }
        if constexpr (requires(T t, const QString& m) { t.AramaYap(m); })
            m_stokMetinAra = [icerik](const QString& m) { icerik->AramaYap(m); };
        if constexpr (requires(T t) { t.SpeedButton2Click(); })
            m_stokAra = [icerik] { icerik->SpeedButton2Click(); };
        if constexpr (requires(T t) { t.CariDegisti(); })
            m_stokCariDegisti = [icerik] { icerik->CariDegisti(); };
    }
    if (sekme == Sekme::Sepet) {
        if constexpr (requires(T t) { t.Yenile(); })
            m_sepetYenile = [icerik] { icerik->Yenile(); };
    }

    // Items of the tab's popup menu go to the tab's <action name>Click().
    menuEylemleriniBagla(sekme, [icerik](QAction* a) {
        const QString ad = a->objectName();
        auto bagla = [&](const char16_t* eylem, auto yontem) {
            if (ad == QStringView(eylem))
                QObject::connect(a, &QAction::triggered, icerik, [icerik, yontem] { (icerik->*yontem)(); });
        };
        if constexpr (requires(T t) { t.S2Click(); }) bagla(u"S2", &T::S2Click);
        if constexpr (requires(T t) { t.S3Click(); }) bagla(u"S3", &T::S3Click);
        if constexpr (requires(T t) { t.StokHareketleri1Click(); })
            bagla(u"StokHareketleri1", &T::StokHareketleri1Click);
        if constexpr (requires(T t) { t.Deitir1Click(); }) bagla(u"Deitir1", &T::Deitir1Click);
        if constexpr (requires(T t) { t.SatrSil1Click(); }) bagla(u"SatrSil1", &T::SatrSil1Click);
        if constexpr (requires(T t) { t.HepsiniSil1Click(); }) bagla(u"HepsiniSil1", &T::HepsiniSil1Click);
        if constexpr (requires(T t) { t.S1Click(); }) bagla(u"S1", &T::S1Click);
        if constexpr (requires(T t) { t.SipariBakiyeleriniz1Click(); })
            bagla(u"SipariBakiyeleriniz1", &T::SipariBakiyeleriniz1Click);
        if constexpr (requires(T t) { t.T1Click(); }) bagla(u"T1", &T::T1Click);
        if constexpr (requires(T t) { t.H1Click(); }) bagla(u"H1", &T::H1Click);
    });
    return icerik;
}
