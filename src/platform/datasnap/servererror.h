#pragma once
// The one exception type of the server-method client: every failure of an
// open, a call or the decoding of an answer arrives at the call site as a
// ServerError whose message() is the text to show the user.

#include <QByteArray>
#include <QString>

#include <exception>

namespace datasnap {

// Said by a client or a call on a connection that is not open.
inline const char kConnectionNotOpenText[] =
    "Connection cannot be nil.  Make sure the connection has been opened.";

class ServerError : public std::exception
{
public:
    enum class Kind {
        NotOpen,   // the connection was not open; nothing was sent
        Connect,   // the TCP connection could not be made (the system's text)
        Transport, // the connection broke during a call
        Timeout,   // no complete answer within the call timeout
        Server,    // the server answered with an error status and its text
        Protocol,  // the answer could not be understood
    };

    ServerError(Kind kind, const QString& message, int httpStatus = 0, const QString& method = {});

    // The text to show: the server's own text for Kind::Server, the system's
    // text for Kind::Connect.
    QString message() const { return m_message; }
    Kind kind() const { return m_kind; }
    // The HTTP status of a Kind::Server answer (400, 404, 500, ...), else 0.
    int httpStatus() const { return m_status; }
    // The server method of the failed call ("EnVer"); empty for an open.
    QString method() const { return m_method; }

    const char* what() const noexcept override { return m_what.constData(); }

private:
    Kind m_kind;
    QString m_message;
    int m_status;
    QString m_method;
    QByteArray m_what;
};

} // namespace datasnap
