#include "platform/widgets/picturefetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

PictureFetcher::PictureFetcher(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

PictureFetcher::~PictureFetcher()
{
    abort();
}

void PictureFetcher::fetch(const QUrl &url)
{
    abort();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &PictureFetcher::onFinished);
}

void PictureFetcher::abort()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    // Disconnect first: abort() emits finished() synchronously, and an
    // aborted transfer is not an answer anyone waits for.
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void PictureFetcher::onFinished()
{
    QNetworkReply *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply || reply != m_reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();

    // A transfer cut off by the network (reset, closed before the announced
    // length, refused, timed out) delivers only part of the picture: it is
    // no answer. An HTTP error status is an answer; its body is judged by
    // its content type like any other.
    const QNetworkReply::NetworkError error = reply->error();
    const bool cutOff = error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
    const QByteArray body = reply->readAll();
    if (cutOff || body.isEmpty()) {
        emit failed();
        return;
    }
    emit received(body, reply->rawHeader("Content-Type"));
}
