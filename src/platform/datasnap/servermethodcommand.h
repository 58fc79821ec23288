#pragma once
// A server-method command: "TServerMethods1.EnVer" prepared on a connection,
// executed with positional parameters, keeping its results until the next
// execution or its end.
//
// The request carries the in-parameters in declaration order; the answer
// carries the out-parameters in order, then the return value. Every failure
// is thrown as ServerError.

#include "platform/datasnap/connection.h"
#include "wire/value.h"

#include <QList>
#include <QString>

namespace datasnap {

class ServerMethodCommand
{
public:
    // `text` is the command text: class name, ".", method name.
    ServerMethodCommand(Connection& connection, const QString& text);

    QString text() const { return m_text; }
    QString method() const { return m_method; }

    // Resolves the method's address on the connection; Execute() prepares a
    // command that is not prepared yet.
    void Prepare();
    bool prepared() const { return m_prepared; }

    // The in-parameters, by position.
    void setParameters(QList<wire::Value> parameters) { m_parameters = std::move(parameters); }
    const QList<wire::Value>& parameters() const { return m_parameters; }

    // Sends the call and waits for the answer. Throws ServerError: NotOpen
    // (nothing sent), Transport, Timeout, Server (the server's error text and
    // HTTP status) or Protocol (an answer that is not a valid result body).
    void Execute();

    // The results of the last execution: out-parameters, then the return value.
    const QList<wire::Value>& results() const { return m_results; }
    // Hands the results over (tables move instead of being copied).
    QList<wire::Value> takeResults() { return std::move(m_results); }

    // Turns an HTTP answer of a call into its results, or throws ServerError
    // as Execute() does. Exposed for tests of answer handling.
    static QList<wire::Value> resultsOf(const HttpAnswer& answer, const QString& method);

private:
    Connection& m_connection;
    QString m_text;
    QString m_className;
    QString m_method;
    QString m_path;
    bool m_prepared = false;
    QList<wire::Value> m_parameters;
    QList<wire::Value> m_results;
};

} // namespace datasnap
