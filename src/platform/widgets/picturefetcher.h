#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches one resource at a time with an HTTP GET. The transfer itself runs
// on Qt's network thread; the signals arrive on the thread that owns the
// fetcher. Starting a new fetch or destroying the fetcher aborts the one in
// flight: its reply is cut off at once and never reported.
class PictureFetcher : public QObject
{
    Q_OBJECT
public:
    explicit PictureFetcher(QObject *parent = nullptr);
    ~PictureFetcher() override;

    void fetch(const QUrl &url);
    void abort();
    bool isRunning() const { return !m_reply.isNull(); }

signals:
    // A complete answer with a non-empty body, whatever its HTTP status.
    void received(const QByteArray &body, const QByteArray &contentType);
    // The answer was empty, or the transfer failed or was cut off before its
    // end (a part of a picture is never delivered); nothing to show.
    void failed();

private:
    void onFinished();

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
};
