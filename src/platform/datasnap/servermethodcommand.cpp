#include "platform/datasnap/servermethodcommand.h"

#include "platform/datasnap/servererror.h"
#include "wire/codec.h"

namespace datasnap {

namespace {
// How much of an unreadable error body goes into the message.
constexpr qsizetype kBodySnippet = 200;
} // namespace

ServerMethodCommand::ServerMethodCommand(Connection& connection, const QString& text)
    : m_connection(connection)
    , m_text(text)
{
    const qsizetype dot = text.indexOf(u'.');
    m_className = dot < 0 ? QString() : text.left(dot);
    m_method = dot < 0 ? text : text.mid(dot + 1);
}

void ServerMethodCommand::Prepare()
{
    if (m_className.isEmpty() || m_method.isEmpty())
        throw ServerError(ServerError::Kind::Protocol,
                          QStringLiteral("Invalid server method \"%1\"").arg(m_text), 0, m_method);
    m_path = m_connection.methodPath(m_className, m_method);
    m_prepared = true;
}

void ServerMethodCommand::Execute()
{
    if (!m_prepared)
        Prepare();
    m_results.clear();
    const HttpAnswer answer = m_connection.post(m_path, wire::encodeRequest(m_parameters), m_method);
    m_results = resultsOf(answer, m_method);
}

QList<wire::Value> ServerMethodCommand::resultsOf(const HttpAnswer& answer, const QString& method)
{
    if (answer.status == 200) {
        wire::Result<QList<wire::Value>> decoded = wire::decodeResult(answer.body);
        if (!decoded)
            throw ServerError(ServerError::Kind::Protocol,
                              QStringLiteral("Invalid answer to %1: %2").arg(method, decoded.errorText()),
                              answer.status, method);
        return std::move(decoded).value();
    }
    // Error statuses carry {"error": text}; the text is what the user sees.
    wire::Result<QString> text = wire::decodeError(answer.body);
    if (text)
        throw ServerError(ServerError::Kind::Server, text.value(), answer.status, method);
    QString snippet = QString::fromUtf8(answer.body.left(kBodySnippet)).trimmed();
    throw ServerError(ServerError::Kind::Server,
                      snippet.isEmpty() ? QStringLiteral("HTTP %1 from the server for %2").arg(answer.status).arg(method)
                                        : QStringLiteral("HTTP %1 from the server for %2: %3")
                                              .arg(answer.status)
                                              .arg(method, snippet),
                      answer.status, method);
}

} // namespace datasnap
