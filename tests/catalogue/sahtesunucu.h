#pragma once
// A loopback stand-in for the application server in the catalogue tests:
// answers server methods by name with prepared JSON bodies and records every
// call with its positional parameters.

#include <httplib.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class SahteSunucu
{
public:
    struct Cagri
    {
        QString metot;
        QJsonArray parametreler;
    };
    struct Cevap
    {
        int durum = 200;
        QByteArray govde;
    };

    SahteSunucu()
    {
        m_server.Post(R"(/datasnap/rest/TServerMethods1/(\w+))",
                      [this](const httplib::Request &req, httplib::Response &res) {
                          const QString metot = QString::fromStdString(req.matches[1].str());
                          const QJsonObject govde =
                              QJsonDocument::fromJson(QByteArray::fromStdString(req.body)).object();
                          kapidaBekle(metot);
                          Cevap c;
                          {
                              QMutexLocker lock(&m_mutex);
                              m_cagrilar.append({metot, govde.value(QLatin1String("_parameters")).toArray()});
                              if (m_cevaplar.contains(metot))
                                  c = m_cevaplar.value(metot);
                              else
                                  c = {404, R"({"error":"no such method"})"};
                          }
                          res.status = c.durum;
                          res.set_content(c.govde.toStdString(), "application/json");
                      });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() before the loop runs would be lost and join() would hang.
        while (!m_server.is_running())
            std::this_thread::yield();
    }
    ~SahteSunucu()
    {
        kapiyiAc();
        m_server.stop();
        m_thread.join();
    }

    int port() const { return m_port; }

    // The answer's "result" array, written as JSON text: "[6]", "[{...table...}]".
    void cevapla(const QString &metot, const QByteArray &sonucDizisi)
    {
        QMutexLocker lock(&m_mutex);
        m_cevaplar[metot] = {200, "{\"result\":" + sonucDizisi + "}"};
    }
    void hataVer(const QString &metot, const QString &metin, int durum = 500)
    {
        QMutexLocker lock(&m_mutex);
        QJsonObject o{{QLatin1String("error"), metin}};
        m_cevaplar[metot] = {durum, QJsonDocument(o).toJson(QJsonDocument::Compact)};
    }

    // Calls of this method wait until kapiyiAc() (or the server stops).
    void kapiyiKapat(const QString &metot)
    {
        std::lock_guard lock(m_kapiMutex);
        m_kapali = metot;
    }
    void kapiyiAc()
    {
        {
            std::lock_guard lock(m_kapiMutex);
            m_kapali.clear();
        }
        m_kapiCv.notify_all();
    }
    int bekleyenler()
    {
        std::lock_guard lock(m_kapiMutex);
        return m_bekleyen;
    }

    QList<Cagri> cagrilar() const
    {
        QMutexLocker lock(&m_mutex);
        return m_cagrilar;
    }
    QList<Cagri> cagrilar(const QString &metot) const
    {
        QList<Cagri> sonuc;
        for (const Cagri &c : cagrilar())
            if (c.metot == metot)
                sonuc.append(c);
        return sonuc;
    }
    void temizle()
    {
        QMutexLocker lock(&m_mutex);
        m_cagrilar.clear();
    }

private:
    void kapidaBekle(const QString &metot)
    {
        std::unique_lock lock(m_kapiMutex);
        if (m_kapali != metot)
            return;
        ++m_bekleyen;
        m_kapiCv.wait_for(lock, std::chrono::seconds(20), [&] { return m_kapali != metot; });
        --m_bekleyen;
    }

    std::mutex m_kapiMutex;
    std::condition_variable m_kapiCv;
    QString m_kapali;
    int m_bekleyen = 0;
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable QMutex m_mutex;
    QMap<QString, Cevap> m_cevaplar;
    QList<Cagri> m_cagrilar;
};

// A protocol table as JSON text from columns "NAME:type" and rows of JSON
// cell texts: tabloJson({"STOK_STOKNO:integer", "ADI:string"}, {{"1", "\"A\""}}).
inline QByteArray tabloJson(const QList<QByteArray> &sutunlar, const QList<QList<QByteArray>> &satirlar)
{
    QByteArray j = "{\"columns\":[";
    for (qsizetype i = 0; i < sutunlar.size(); ++i) {
        const QList<QByteArray> p = sutunlar[i].split(':');
        j += (i ? "," : "") + QByteArray("{\"name\":\"") + p[0] + "\",\"type\":\"" + p[1] + "\"";
        if (p[1] == "string")
            j += ",\"size\":100";
        j += "}";
    }
    j += "],\"rows\":[";
    for (qsizetype r = 0; r < satirlar.size(); ++r) {
        j += r ? ",[" : "[";
        for (qsizetype c = 0; c < satirlar[r].size(); ++c)
            j += (c ? "," : "") + satirlar[r][c];
        j += "]";
    }
    j += "]}";
    return j;
}
