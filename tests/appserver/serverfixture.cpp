#include "serverfixture.h"

#include "server/proxim.h"
#include "wire/codec.h"
#include "wire/marshal.h"

#include <httplib.h>

ServerFixture::ServerFixture(int items, int searchLimit)
{
    TransferNesneleriniKaydet();
    DatabaseConfig config;
    config.sqlitePath = m_dir.filePath(QStringLiteral("test.db"));
    m_db = std::make_unique<Database>(config);
    SeedOptions seed;
    seed.items = items;
    m_db->prepare(seed);
    AppServer::Options options;
    options.host = QStringLiteral("127.0.0.1");
    options.port = 0;
    options.logRequests = false;
    options.searchLimit = searchLimit;
    m_server = std::make_unique<AppServer>(*m_db, options);
    m_port = m_server->start();
    m_client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
    m_client->set_keep_alive(true);
    m_client->set_tcp_nodelay(true);
    m_client->set_read_timeout(30, 0);
}

ServerFixture::~ServerFixture()
{
    m_client.reset();
    m_server.reset();
}

ServerFixture::Reply ServerFixture::post(const QString &method, const QByteArray &body, const char *contentType)
{
    Reply reply;
    const std::string path = "/datasnap/rest/TServerMethods1/" + method.toStdString();
    auto res = m_client->Post(path, body.constData(), size_t(body.size()), contentType);
    if (!res)
        return reply;
    reply.status = res->status;
    reply.body = QByteArray::fromStdString(res->body);
    if (reply.status == 200) {
        wire::Result<QList<wire::Value>> r = wire::decodeResult(reply.body);
        if (r)
            reply.results = r.value();
        else
            reply.error = QStringLiteral("undecodable result: ") + r.error().message;
    } else {
        wire::Result<QString> e = wire::decodeError(reply.body);
        reply.error = e ? e.value() : QStringLiteral("undecodable error body");
    }
    return reply;
}

ServerFixture::Reply ServerFixture::call(const QString &method, const QList<wire::Value> &params)
{
    return post(method, wire::encodeRequest(params));
}

ServerFixture::Page ServerFixture::get(const QString &pathAndQuery)
{
    Page page;
    auto res = m_client->Get(pathAndQuery.toStdString());
    if (!res)
        return page;
    page.status = res->status;
    page.body = QByteArray::fromStdString(res->body);
    page.contentType = QString::fromStdString(res->get_header_value("Content-Type"));
    return page;
}

TSonucBilgisi ServerFixture::signIn(const QString &machineId)
{
    const Reply r = call(QStringLiteral("BuyukGetir"), {machineId});
    if (r.status != 200 || r.results.size() != 1)
        return {};
    wire::Result<TSonucBilgisi> rec = wire::unmarshal<TSonucBilgisi>(r.results.first());
    return rec ? rec.value() : TSonucBilgisi();
}

wire::Value ServerFixture::record(const TSonucBilgisi &r) { return wire::marshal(r); }
