#pragma once
// The connection component of the server-method client: named parameters,
// open (a TCP connection kept alive between calls), close, clone.
//
// One thread uses a connection at a time. A background job never shares the
// main window's connection; it works on CloneConnection().

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

namespace datasnap {

class HttpChannel;

// Parameter names the component knows. Names are matched case-insensitively.
namespace param {
inline constexpr char16_t ConnectionName[] = u"ConnectionName";
inline constexpr char16_t DriverName[] = u"DriverName";
inline constexpr char16_t LoginPrompt[] = u"LoginPrompt";
inline constexpr char16_t CommunicationProtocol[] = u"CommunicationProtocol";
inline constexpr char16_t HostName[] = u"HostName";
inline constexpr char16_t Port[] = u"Port";
inline constexpr char16_t DatasnapContext[] = u"DatasnapContext";
inline constexpr char16_t DSProxyPort[] = u"DSProxyPort";
inline constexpr char16_t Filters[] = u"Filters";
// Milliseconds a call may take until its answer is complete (default 30000).
inline constexpr char16_t CallTimeout[] = u"CallTimeout";
// Milliseconds an open may take to establish the TCP connection (default 5000).
inline constexpr char16_t ConnectTimeout[] = u"ConnectTimeout";
} // namespace param

// One HTTP answer as the transport received it.
struct HttpAnswer
{
    int status = 0;
    QByteArray body;
};

class Connection
{
public:
    // A closed connection with the default parameters: ConnectionName
    // "DataSnapCONNECTION", DriverName "DataSnap", LoginPrompt "False",
    // CommunicationProtocol "tcp/ip", HostName "localhost", Port "9090",
    // DatasnapContext "datasnap/", DSProxyPort "8090", Filters "{}",
    // CallTimeout "30000", ConnectTimeout "5000".
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Parameters by name; an unknown name reads as empty and is added on write.
    QString param(QStringView name) const;
    void setParam(QStringView name, const QString& value);
    QStringList paramNames() const;

    QString ConnectionName() const { return param(param::ConnectionName); }
    void setConnectionName(const QString& v) { setParam(param::ConnectionName, v); }
    QString DriverName() const { return param(param::DriverName); }
    void setDriverName(const QString& v) { setParam(param::DriverName, v); }

    // Connects to HostName:Port. Nothing is sent. Throws ServerError (Kind
    // Connect) with the system's text ("Connection refused", ...) on failure,
    // leaving the connection closed. Opening an open connection reconnects.
    void Open();
    // Closes the TCP connection; closing a closed connection does nothing.
    void Close();
    bool Connected() const;

    // A new, closed connection with the same parameters; shares nothing.
    std::unique_ptr<Connection> CloneConnection() const;

    // CallTimeout in milliseconds (30000 when the parameter is not a number > 0).
    int callTimeoutMs() const;
    int connectTimeoutMs() const;
    // "/" + DatasnapContext + "rest/" + className + "/" + method.
    QString methodPath(const QString& className, const QString& method) const;

    // One POST of a JSON body on the open connection, waiting at most
    // callTimeoutMs() for the complete answer. Throws ServerError: NotOpen
    // without any traffic when the connection is closed, Timeout, Transport.
    // `method` only names the call in errors.
    HttpAnswer post(const QString& path, const QByteArray& body, const QString& method);

    // Leaves TCP_NODELAY off on new sockets; only for measuring what the option
    // is worth (benchmarks). Takes effect at the next Open.
    void setNoDelayForTesting(bool on) { m_noDelay = on; }

private:
    QList<QPair<QString, QString>> m_params;
    std::unique_ptr<HttpChannel> m_channel;
    bool m_noDelay = true;
};

} // namespace datasnap
