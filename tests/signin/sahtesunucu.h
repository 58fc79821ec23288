#pragma once
// A scripted stand-in for the application server on 127.0.0.1: each server
// method answers what the test prepared, every call is recorded with its
// parameters, and the plain web endpoints (address lookup, setup download,
// request page) answer as told. ortamiAyarla() points the client's endpoint
// settings at it.

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMetaObject>
#include <QMetaProperty>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

struct SahteCagri
{
    QString yontem;
    QJsonArray parametreler;
};

class SahteSunucu
{
public:
    SahteSunucu();
    ~SahteSunucu();

    int port() const { return m_port; }
    QString kok() const; // "http://127.0.0.1:<port>"

    // ZELVORI_SUNUCU, ZELVORI_WEB, ZELVORI_INDIRME, ZELVORI_IPSERVIS -> this server.
    void ortamiAyarla() const;

    // The answer of a server method: the "result" array for given parameters.
    using Yanit = std::function<QJsonArray(const QJsonArray& parametreler)>;
    void yontem(const QString& ad, Yanit yanit);
    // The method answers with an error status and {"error": metin}.
    void yontemHatasi(const QString& ad, int durum, const QString& metin);

    // The address lookup's body (an empty body is a valid answer too).
    void ipCevabi(const QString& govde);
    // The setup download: status and body; eksik cuts the connection after
    // half of the announced length.
    void kurulumCevabi(int durum, const QByteArray& govde, bool eksik = false);
    int kurulumIstekSayisi() const;

    QList<SahteCagri> cagrilar() const;
    QList<SahteCagri> cagrilar(const QString& yontem) const;

private:
    std::unique_ptr<httplib::Server> m_sunucu;
    std::thread m_is;
    int m_port = -1;
    mutable QMutex m_kilit;
    std::map<QString, Yanit> m_yanitlar;
    std::map<QString, std::pair<int, QString>> m_hatalar;
    QList<SahteCagri> m_cagrilar;
    QString m_ip = QStringLiteral("203.0.113.7");
    int m_kurulumDurumu = 404;
    QByteArray m_kurulum;
    bool m_kurulumEksik = false;
    int m_kurulumIstekleri = 0;
};

// The marshalled form of a transfer object: {"type", "id": 1, "fields": {"F<name>": ...}}.
template <typename T>
QJsonObject NesneJson(const T& nesne)
{
    QJsonObject alanlar;
    const QMetaObject& mo = T::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
        const QMetaProperty p = mo.property(i);
        alanlar.insert(QStringLiteral("F") + QString::fromLatin1(p.name()),
                       QJsonValue::fromVariant(p.readOnGadget(&nesne)));
    }
    return QJsonObject{{QStringLiteral("type"), T::TypeName()},
                       {QStringLiteral("id"), 1},
                       {QStringLiteral("fields"), alanlar}};
}
