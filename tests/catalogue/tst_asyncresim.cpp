// The item picture: decoder by content type, one fetch per address, previous
// picture kept on failure, and destruction while a download is running.
#include "catalogue/asyncresimu.h"

#include <httplib.h>

#include <QBuffer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

namespace {

QByteArray resimBaytlari(const char *bicim, QColor renk = Qt::red)
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(renk);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, bicim);
    return out;
}

// A loopback picture service: /resim?id=N answers with the body and content
// type the test set for N; /yavas sends half of a large body, then waits.
class ResimSunucusu
{
public:
    ResimSunucusu()
    {
        m_server.Get("/resim", [this](const httplib::Request &req, httplib::Response &res) {
            std::lock_guard lock(m_mutex);
            ++m_istek;
            const auto it = m_cevaplar.find(req.get_param_value("id"));
            if (it == m_cevaplar.end()) {
                res.status = 404;
                res.set_content("<html>yok</html>", "text/html");
                return;
            }
            res.set_content(it->second.first, it->second.second);
        });
        m_server.Get("/yavas", [this](const httplib::Request &, httplib::Response &res) {
            const size_t toplam = 8 * 1024 * 1024;
            res.set_content_provider(toplam, "image/png", [this](size_t offset, size_t, httplib::DataSink &sink) {
                static const std::string parca(64 * 1024, 'x');
                if (offset == 0) {
                    if (!sink.write(parca.data(), parca.size()))
                        return false;
                    m_ilkParcaGitti = true;
                    std::unique_lock lock(m_mutex);
                    m_cv.wait_for(lock, std::chrono::seconds(10), [this] { return m_devam; });
                    return true;
                }
                // Keep sending until the peer has gone away.
                if (!sink.write(parca.data(), parca.size())) {
                    m_kopukGoruldu = true;
                    return false;
                }
                return true;
            });
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() before the loop runs would be lost and join() would hang.
        while (!m_server.is_running())
            std::this_thread::yield();
    }
    ~ResimSunucusu()
    {
        devamEt();
        m_server.stop();
        m_thread.join();
    }

    void cevap(const std::string &id, QByteArray body, const std::string &contentType)
    {
        std::lock_guard lock(m_mutex);
        m_cevaplar[id] = {body.toStdString(), contentType};
    }
    int istekSayisi()
    {
        std::lock_guard lock(m_mutex);
        return m_istek;
    }
    void devamEt()
    {
        {
            std::lock_guard lock(m_mutex);
            m_devam = true;
        }
        m_cv.notify_all();
    }
    QString adres(const QString &yol) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(yol);
    }

    std::atomic<bool> m_ilkParcaGitti{false};
    std::atomic<bool> m_kopukGoruldu{false};

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_devam = false;
    int m_istek = 0;
    std::map<std::string, std::pair<std::string, std::string>> m_cevaplar;
};

} // namespace

class tst_AsyncResim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void bicimSecimi_data();
    void bicimSecimi();
    void cozumleme_data();
    void cozumleme();
    void oncekiResimKalir();
    void ayniAdresBirKezIndirilir();
    void indirmeSirasindaKapatma();
};

void tst_AsyncResim::bicimSecimi_data()
{
    QTest::addColumn<QByteArray>("tur");
    QTest::addColumn<QByteArray>("bicim");
    QTest::newRow("png") << QByteArray("image/png") << QByteArray("PNG");
    QTest::newRow("bmp") << QByteArray("image/bmp") << QByteArray("BMP");
    QTest::newRow("jpeg") << QByteArray("image/jpeg") << QByteArray("JPEG");
    QTest::newRow("jpg") << QByteArray("image/jpg") << QByteArray("JPEG");
    QTest::newRow("JPEG in capitals") << QByteArray("image/JPEG") << QByteArray("JPEG");
    QTest::newRow("all capitals") << QByteArray("IMAGE/PNG") << QByteArray("PNG");
    QTest::newRow("with parameter") << QByteArray("image/png; charset=binary") << QByteArray("PNG");
    QTest::newRow("text/html") << QByteArray("text/html") << QByteArray();
    QTest::newRow("gif not decoded") << QByteArray("image/gif") << QByteArray();
    QTest::newRow("missing header") << QByteArray() << QByteArray();
}

void tst_AsyncResim::bicimSecimi()
{
    QFETCH(QByteArray, tur);
    QTEST(ResimBicimi(tur), "bicim");
}

void tst_AsyncResim::cozumleme_data()
{
    QTest::addColumn<QByteArray>("govde");
    QTest::addColumn<QByteArray>("tur");
    QTest::addColumn<bool>("gosterilir");
    QTest::newRow("png") << resimBaytlari("PNG") << QByteArray("image/png") << true;
    QTest::newRow("JPEG in capitals") << resimBaytlari("JPEG") << QByteArray("image/JPEG") << true;
    QTest::newRow("bmp") << resimBaytlari("BMP") << QByteArray("image/bmp") << true;
    // A decodable picture announced as HTML is still not shown.
    QTest::newRow("png sent as text/html") << resimBaytlari("PNG") << QByteArray("text/html") << false;
    QTest::newRow("garbage as png") << QByteArray("bu bir resim degil") << QByteArray("image/png") << false;
    QTest::newRow("empty body") << QByteArray() << QByteArray("image/png") << false;
}

void tst_AsyncResim::cozumleme()
{
    QFETCH(QByteArray, govde);
    QFETCH(QByteArray, tur);
    QFETCH(bool, gosterilir);

    ResimSunucusu sunucu;
    sunucu.cevap("1", govde, tur.toStdString());
    TAsyncResim resim;
    QSignalSpy bitti(&resim, &UrlPictureBox::loadFinished);
    resim.SetUrl(sunucu.adres(QStringLiteral("/resim?id=1")));
    QVERIFY(bitti.wait(5000));
    QCOMPARE(bitti.first().first().toBool(), gosterilir);
    QCOMPARE(!resim.image().isNull(), gosterilir);
    if (gosterilir)
        QCOMPARE(resim.image().size(), QSize(8, 6));
}

void tst_AsyncResim::oncekiResimKalir()
{
    ResimSunucusu sunucu;
    sunucu.cevap("1", resimBaytlari("PNG", Qt::blue), "image/png");
    sunucu.cevap("2", QByteArray("bozuk"), "image/jpeg");
    TAsyncResim resim;
    QSignalSpy bitti(&resim, &UrlPictureBox::loadFinished);
    resim.SetUrl(sunucu.adres(QStringLiteral("/resim?id=1")));
    QVERIFY(bitti.wait(5000));
    QCOMPARE(resim.image().pixelColor(0, 0), QColor(Qt::blue));

    for (const char *id : {"2", "404"}) {
        resim.SetUrl(sunucu.adres(QStringLiteral("/resim?id=") + QLatin1String(id)));
        QVERIFY(bitti.wait(5000));
        QCOMPARE(bitti.last().first().toBool(), false);
        QCOMPARE(resim.image().pixelColor(0, 0), QColor(Qt::blue));
    }
}

void tst_AsyncResim::ayniAdresBirKezIndirilir()
{
    ResimSunucusu sunucu;
    sunucu.cevap("1", resimBaytlari("PNG"), "image/png");
    sunucu.cevap("2", resimBaytlari("PNG", Qt::green), "image/png");
    TAsyncResim resim;
    QSignalSpy bitti(&resim, &UrlPictureBox::loadFinished);
    const QString adres = sunucu.adres(QStringLiteral("/resim?id=1"));
    resim.SetUrl(adres);
    resim.SetUrl(adres);
    QVERIFY(bitti.wait(5000));
    resim.SetUrl(adres);
    QVERIFY(!resim.isLoading());
    QCOMPARE(sunucu.istekSayisi(), 1);
    QCOMPARE(resim.Url(), adres);

    resim.SetUrl(sunucu.adres(QStringLiteral("/resim?id=2")));
    QVERIFY(bitti.wait(5000));
    QCOMPARE(sunucu.istekSayisi(), 2);
    QCOMPARE(resim.image().pixelColor(0, 0), QColor(Qt::green));
}

void tst_AsyncResim::indirmeSirasindaKapatma()
{
    ResimSunucusu sunucu;
    auto *pencere = new QWidget;
    auto *resim = new TAsyncResim(pencere);
    resim->SetUrl(sunucu.adres(QStringLiteral("/yavas")));
    QTRY_VERIFY_WITH_TIMEOUT(sunucu.m_ilkParcaGitti.load(), 5000);
    QVERIFY(resim->isLoading());

    // Closing the dialog destroys the picture with its download running.
    delete pencere;
    sunucu.devamEt();
    // The transfer was really cut: the server's next writes fail.
    QTRY_VERIFY_WITH_TIMEOUT(sunucu.m_kopukGoruldu.load(), 5000);
}

QTEST_MAIN(tst_AsyncResim)
#include "tst_asyncresim.moc"
