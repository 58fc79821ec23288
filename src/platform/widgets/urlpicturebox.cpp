#include "platform/widgets/urlpicturebox.h"

#include "platform/widgets/picturefetcher.h"

#include <QPainter>
#include <QUrl>

UrlPictureBox::UrlPictureBox(QWidget *parent)
    : QWidget(parent)
    , m_fetcher(new PictureFetcher(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    connect(m_fetcher, &PictureFetcher::received, this, &UrlPictureBox::onReceived);
    connect(m_fetcher, &PictureFetcher::failed, this, [this] { emit loadFinished(false); });
}

UrlPictureBox::~UrlPictureBox()
{
    // The fetcher is a child and would abort in its own destructor, but by
    // then this object is no longer an UrlPictureBox; abort while it still is.
    m_fetcher->abort();
}

void UrlPictureBox::setUrl(const QString &url)
{
    if (url == m_url)
        return;
    m_url = url;
    if (m_url.isEmpty()) {
        m_fetcher->abort();
        return;
    }
    m_fetcher->fetch(QUrl(m_url));
}

void UrlPictureBox::setFormatChooser(FormatChooser chooser)
{
    m_chooser = std::move(chooser);
}

bool UrlPictureBox::isLoading() const
{
    return m_fetcher->isRunning();
}

void UrlPictureBox::onReceived(const QByteArray &body, const QByteArray &contentType)
{
    const QByteArray format = m_chooser ? m_chooser(contentType) : QByteArray();
    if (m_chooser && format.isEmpty()) {
        emit loadFinished(false);
        return;
    }
    QImage decoded;
    const bool ok = format.isEmpty() ? decoded.loadFromData(body)
                                     : decoded.loadFromData(body, format.constData());
    if (!ok || decoded.isNull()) {
        emit loadFinished(false);
        return;
    }
    m_image = std::move(decoded);
    update();
    emit loadFinished(true);
}

void UrlPictureBox::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize scaled = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2),
                       scaled);
    p.drawImage(target, m_image);
}
