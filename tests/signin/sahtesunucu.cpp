#include "sahtesunucu.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QMutexLocker>

namespace {
std::string jsonMetin(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }
} // namespace

SahteSunucu::SahteSunucu()
    : m_sunucu(std::make_unique<httplib::Server>())
{
    m_sunucu->Post(R"(/datasnap/rest/TServerMethods1/(\w+))", [this](const httplib::Request& req,
                                                                    httplib::Response& res) {
        const QString ad = QString::fromStdString(req.matches[1]);
        const QJsonArray parametreler = QJsonDocument::fromJson(QByteArray::fromStdString(req.body))
                                            .object()
                                            .value(QStringLiteral("_parameters"))
                                            .toArray();
        Yanit yanit;
        std::pair<int, QString> hata{0, {}};
        {
            QMutexLocker lock(&m_kilit);
            m_cagrilar.append({ad, parametreler});
            if (auto h = m_hatalar.find(ad); h != m_hatalar.end())
                hata = h->second;
            else if (auto y = m_yanitlar.find(ad); y != m_yanitlar.end())
                yanit = y->second;
        }
        if (hata.first == 0 && !yanit)
            hata = {404, QStringLiteral("no such method: ") + ad};
        if (hata.first != 0) {
            res.status = hata.first;
            res.set_content(jsonMetin({{QStringLiteral("error"), hata.second}}), "application/json");
            return;
        }
        res.set_content(jsonMetin({{QStringLiteral("result"), yanit(parametreler)}}), "application/json");
    });
    m_sunucu->Get("/ip", [this](const httplib::Request&, httplib::Response& res) {
        QMutexLocker lock(&m_kilit);
        res.set_content(m_ip.toStdString(), "text/plain");
    });
    m_sunucu->Get("/exe/ZELVORISetup.exe", [this](const httplib::Request&, httplib::Response& res) {
        QMutexLocker lock(&m_kilit);
        ++m_kurulumIstekleri;
        res.status = m_kurulumDurumu;
        if (m_kurulumEksik) {
            const std::string govde = m_kurulum.toStdString();
            res.set_content_provider(govde.size(), "application/octet-stream",
                                     [govde](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset > 0)
                                             return false; // the connection breaks after half
                                         sink.write(govde.data(), govde.size() / 2);
                                         return true;
                                     });
            return;
        }
        res.set_content(m_kurulum.toStdString(), "application/octet-stream");
    });
    m_port = m_sunucu->bind_to_any_port("127.0.0.1");
    m_is = std::thread([this] { m_sunucu->listen_after_bind(); });
    while (!m_sunucu->is_running())
        std::this_thread::yield();
}

SahteSunucu::~SahteSunucu()
{
    m_sunucu->stop();
    if (m_is.joinable())
        m_is.join();
}

QString SahteSunucu::kok() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

void SahteSunucu::ortamiAyarla() const
{
    qputenv("ZELVORI_SUNUCU", QStringLiteral("127.0.0.1:%1").arg(m_port).toUtf8());
    qputenv("ZELVORI_WEB", (kok() + u'/').toUtf8());
    qputenv("ZELVORI_INDIRME", kok().toUtf8());
    qputenv("ZELVORI_IPSERVIS", (kok() + QStringLiteral("/ip")).toUtf8());
}

void SahteSunucu::yontem(const QString& ad, Yanit yanit)
{
    QMutexLocker lock(&m_kilit);
    m_hatalar.erase(ad);
    m_yanitlar[ad] = std::move(yanit);
}

void SahteSunucu::yontemHatasi(const QString& ad, int durum, const QString& metin)
{
    QMutexLocker lock(&m_kilit);
    m_hatalar[ad] = {durum, metin};
}

void SahteSunucu::ipCevabi(const QString& govde)
{
    QMutexLocker lock(&m_kilit);
    m_ip = govde;
}

void SahteSunucu::kurulumCevabi(int durum, const QByteArray& govde, bool eksik)
{
    QMutexLocker lock(&m_kilit);
    m_kurulumDurumu = durum;
    m_kurulum = govde;
    m_kurulumEksik = eksik;
}

int SahteSunucu::kurulumIstekSayisi() const
{
    QMutexLocker lock(&m_kilit);
    return m_kurulumIstekleri;
}

QList<SahteCagri> SahteSunucu::cagrilar() const
{
    QMutexLocker lock(&m_kilit);
    return m_cagrilar;
}

QList<SahteCagri> SahteSunucu::cagrilar(const QString& yontem) const
{
    QList<SahteCagri> sonuc;
    for (const SahteCagri& c : cagrilar()) {
        if (c.yontem == yontem)
            sonuc.append(c);
    }
    return sonuc;
}
