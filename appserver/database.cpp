#include "appserver/database.h"

#include "appserver/demodata.h"

#include <QFile>
#include <QHash>
#include <QSqlError>
#include <QThread>
#include <QUrl>
#include <QUuid>

#include <atomic>

// The SQL scripts are compiled into this static library; their resource
// must be registered explicitly or the linker drops it.
static void initScripts() { Q_INIT_RESOURCE(appserver); }

namespace {

// Connection names opened by the current thread, and the statements kept
// prepared on them; closed when the thread ends.
struct ThreadConnections {
    QStringList names;
    QHash<QString, QSqlQuery> prepared;  // connection name + "\n" + SQL text
    ~ThreadConnections()
    {
        prepared.clear();
        for (const QString &name : std::as_const(names)) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }
    }
};
thread_local ThreadConnections t_connections;

QString readResource(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("cannot read %1").arg(path));
    return QString::fromUtf8(f.readAll());
}

// Splits a script into statements: a statement ends with a line whose last
// character is ";"; lines starting with "--" are comments.
QStringList statements(const QString &script)
{
    QStringList out;
    QString current;
    for (const QString &line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u"--") || trimmed.isEmpty())
            continue;
        current += line + u'\n';
        if (trimmed.endsWith(u';')) {
            current = current.trimmed();
            current.chop(1);
            out << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

void runScript(const QSqlDatabase &db, const QString &script, bool postgres)
{
    QString text = script;
    text.replace(QStringLiteral("{{SERIAL}}"),
                 postgres ? QStringLiteral("SERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
    text.replace(QStringLiteral("{{BLOB}}"), postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
    for (const QString &statement : statements(text))
        runSql(db, statement);
}

} // namespace

DatabaseConfig DatabaseConfig::fromArgument(const QString &argument)
{
    DatabaseConfig config;
    if (argument.startsWith(u"postgresql://") || argument.startsWith(u"postgres://"))
        config.postgresUrl = argument;
    else
        config.sqlitePath = argument;
    return config;
}

Database::Database(DatabaseConfig config)
    : m_config(std::move(config)), m_id(QUuid::createUuid().toString(QUuid::Id128).left(12))
{
}

Database::~Database() = default;

QSqlDatabase Database::connection() const
{
    const QString name = QStringLiteral("zv_%1_%2").arg(m_id).arg(quintptr(QThread::currentThreadId()));
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
    }
    QSqlDatabase db;
    if (m_config.isPostgres()) {
        const QUrl url(m_config.postgresUrl);
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_config.sqlitePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open())
        throw DatabaseError(QStringLiteral("cannot open the database: %1").arg(db.lastError().text()));
    if (!m_config.isPostgres()) {
        runSql(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        runSql(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
        runSql(db, QStringLiteral("PRAGMA foreign_keys=ON"));
        // Pages are read through a shared memory map instead of being copied
        // into each connection's small page cache: a broad search walks
        // thousands of catalogue rows, and every worker thread has its own
        // connection.
        runSql(db, QStringLiteral("PRAGMA mmap_size=1073741824"));
    }
    if (!t_connections.names.contains(name))
        t_connections.names << name;
    return db;
}

bool Database::prepare(const SeedOptions &options)
{
    initScripts();
    QSqlDatabase db = connection();
    if (db.tables().contains(QStringLiteral("ayar")))
        return false;
    Transaction tx(db);
    runScript(db, readResource(QStringLiteral(":/appserver/sql/schema.sql")), isPostgres());
    if (isPostgres()) {
        // A trigram index when the server offers the extension; the search
        // works without it, only slower.
        QSqlQuery probe(db);
        if (probe.exec(QStringLiteral("SELECT 1 FROM pg_available_extensions WHERE name = 'pg_trgm'")) && probe.next()) {
            runSql(db, QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm"));
            runSql(db, QStringLiteral("CREATE INDEX stok_arama_trgm ON stok USING gin (arama gin_trgm_ops)"));
        }
    } else {
        runScript(db, readResource(QStringLiteral(":/appserver/sql/search_sqlite.sql")), false);
    }
    runScript(db, readResource(QStringLiteral(":/appserver/sql/seed.sql")), isPostgres());
    generateDemoData(db, options, isPostgres());
    if (isPostgres()) {
        // Rows were written with explicit numbers; move the sequences past them.
        for (const auto &[table, column] : {std::pair{"sepet", "sirano"}, {"siparis", "idno"},
                                            {"siparis_satir", "stokhar_no"}, {"istek", "sirano"}})
            runSql(db, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                      "COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)")
                           .arg(QLatin1String(table), QLatin1String(column)));
    } else {
        runSql(db, QStringLiteral("INSERT INTO stok_ara (stok_ara) VALUES ('rebuild')"));
    }
    tx.commit();
    if (!isPostgres())
        runSql(db, QStringLiteral("PRAGMA optimize"));
    return true;
}

void Database::bindMachine(const QString &machineId, const QString &userName)
{
    QSqlDatabase db = connection();
    const QVariant user = scalarSql(db, QStringLiteral("SELECT sirano FROM kullanici WHERE adi = ?"), {userName});
    if (!user.isValid())
        throw DatabaseError(QStringLiteral("no user named %1").arg(userName));
    Transaction tx(db);
    runSql(db, QStringLiteral("DELETE FROM makine WHERE bilgisayarid = ?"), {machineId});
    runSql(db, QStringLiteral("INSERT INTO makine (bilgisayarid, kullanicino) VALUES (?, ?)"), {machineId, user});
    tx.commit();
}

QVariant bindable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

QSqlQuery runSql(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A statement without values runs as it is: PostgreSQL cannot prepare
    // schema statements, and there is nothing to bind.
    if (values.isEmpty()) {
        if (!q.exec(sql))
            throw DatabaseError(QStringLiteral("%1 [%2]").arg(q.lastError().text(), sql.simplified().left(200)));
        return q;
    }
    if (!q.prepare(sql))
        throw DatabaseError(QStringLiteral("%1 [%2]").arg(q.lastError().text(), sql.simplified().left(200)));
    for (const QVariant &v : values)
        q.addBindValue(bindable(v));
    if (!q.exec())
        throw DatabaseError(QStringLiteral("%1 [%2]").arg(q.lastError().text(), sql.simplified().left(200)));
    return q;
}

QSqlQuery runPreparedSql(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    const QString key = db.connectionName() + u'\n' + sql;
    auto it = t_connections.prepared.find(key);
    if (it == t_connections.prepared.end()) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            throw DatabaseError(QStringLiteral("%1 [%2]").arg(q.lastError().text(), sql.simplified().left(200)));
        it = t_connections.prepared.insert(key, q);
    }
    QSqlQuery &q = it.value();
    q.finish();
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, bindable(values.at(i)));
    if (!q.exec())
        throw DatabaseError(QStringLiteral("%1 [%2]").arg(q.lastError().text(), sql.simplified().left(200)));
    return q;
}

QVariant preparedScalarSql(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery q = runPreparedSql(db, sql, values);
    const QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

QVariant scalarSql(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery q = runSql(db, sql, values);
    return q.next() ? q.value(0) : QVariant();
}

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    const bool sqlite = m_db.driverName() == QLatin1String("QSQLITE");
    QSqlQuery q(m_db);
    if (!q.exec(sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN")))
        throw DatabaseError(QStringLiteral("cannot begin a transaction: %1").arg(q.lastError().text()));
}

Transaction::~Transaction()
{
    if (!m_done) {
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::commit()
{
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("COMMIT")))
        throw DatabaseError(QStringLiteral("cannot commit: %1").arg(q.lastError().text()));
    m_done = true;
}
