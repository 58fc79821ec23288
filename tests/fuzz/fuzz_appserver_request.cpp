// libFuzzer target for the application server's request handling: the
// input's first line is the method name, the rest the request body, and both
// go through AppServer::answer, the code the HTTP handler runs, on a demo
// database created once in a temporary folder. Every input gets a status of
// 200, 400, 404 or 500 and a body that decodes as a result (200) or an
// error with a message (otherwise); nothing escapes, nothing crashes.
#include "appserver/appserver.h"
#include "appserver/database.h"
#include "wire/codec.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

struct Server {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<AppServer> server;
};

Server *g_server = nullptr;

} // namespace

// The server draws reports and pictures, and Qt's font engine keeps what it
// loads on first use for the life of the process; the leak check would
// report that on whichever input first needs a font, and at exit.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static Server s;
    if (!s.dir.isValid())
        std::abort();
    DatabaseConfig config;
    config.sqlitePath = s.dir.filePath(QStringLiteral("fuzz.db"));
    s.db = std::make_unique<Database>(config);
    SeedOptions seed;
    seed.items = 120;
    s.db->prepare(seed);
    AppServer::Options options;
    options.logRequests = false;
    s.server = std::make_unique<AppServer>(*s.db, options);
    g_server = &s;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype line = input.indexOf('\n');
    // The route takes only these characters into a method name.
    const QByteArray name = line < 0 ? input : input.left(line);
    if (name.isEmpty())
        return 0;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok)
            return 0;
    }
    const QByteArray body = line < 0 ? QByteArray() : input.mid(line + 1);
    const AppServer::Answer a = g_server->server->answer(QString::fromLatin1(name), body);
    switch (a.status) {
    case 200:
        if (!wire::decodeResult(a.body))
            std::abort();
        break;
    case 400:
    case 404:
    case 500: {
        const wire::Result<QString> e = wire::decodeError(a.body);
        if (!e || e.value().isEmpty())
            std::abort();
        break;
    }
    default:
        std::abort();
    }
    return 0;
}
