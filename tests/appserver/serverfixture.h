#pragma once
// A fresh application server for one test case: a demo database in a
// temporary folder, the server on a free loopback port, and a keep-alive
// client that calls server methods through the wire codec.

#include "appserver/appserver.h"
#include "appserver/database.h"
#include "core/baglantiu.h"
#include "wire/value.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace httplib {
class Client;
}

class ServerFixture {
public:
    // searchLimit: the most rows a stock search answers with.
    explicit ServerFixture(int items = 300, int searchLimit = AppServer::Options().searchLimit);
    ~ServerFixture();

    bool ok() const { return m_port > 0; }
    int port() const { return m_port; }
    Database &database() { return *m_db; }

    struct Reply {
        int status = 0;            // HTTP status; 0 when no answer came
        QList<wire::Value> results;  // decoded "result" on 200
        QString error;             // the "error" text otherwise
        QByteArray body;
    };
    Reply call(const QString &method, const QList<wire::Value> &params);
    // A raw POST to a server-method path with any body.
    Reply post(const QString &method, const QByteArray &body, const char *contentType = "application/json; charset=utf-8");

    struct Page {
        int status = 0;
        QByteArray body;
        QString contentType;
    };
    Page get(const QString &pathAndQuery);

    // The sign-in record the server holds for a machine.
    TSonucBilgisi signIn(const QString &machineId);
    static wire::Value record(const TSonucBilgisi &r);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<AppServer> m_server;
    std::unique_ptr<httplib::Client> m_client;
    int m_port = -1;
};
