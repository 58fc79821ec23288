#include "platform/widgets/marquee.h"

#include <QEvent>
#include <QPainter>
#include <QTextDocument>
#include <QtMath>
#include <QTimerEvent>

Marquee::Marquee(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Marquee::setHtml(const QString& html)
{
    m_html = html;
    m_pixmap = QPixmap();
    m_provider = nullptr;
    render();
}

void Marquee::setPixmap(const QPixmap& pixmap)
{
    m_html.clear();
    m_pixmap = pixmap;
    m_provider = nullptr;
    render();
}

void Marquee::setPixmapProvider(std::function<QPixmap()> provider)
{
    m_html.clear();
    m_pixmap = QPixmap();
    m_provider = std::move(provider);
    render();
}

void Marquee::clear()
{
    m_html.clear();
    m_pixmap = QPixmap();
    m_provider = nullptr;
    render();
}

bool Marquee::isEmpty() const { return m_content.isNull(); }

void Marquee::setInterval(int ms)
{
    m_interval = qMax(1, ms);
    if (m_timer.isActive())
        m_timer.start(m_interval, Qt::PreciseTimer, this);
}

void Marquee::start()
{
    m_running = true;
    updateTimer();
}

void Marquee::stop()
{
    m_running = false;
    updateTimer();
}

int Marquee::passWidth() const { return width() + m_content.width() + m_gap; }

void Marquee::advance()
{
    if (m_content.isNull())
        return;
    m_offset += m_step;
    // A pass ends when the content has left at the left edge and the gap has
    // gone by; the next pass enters from the right again.
    if (m_offset >= passWidth())
        m_offset = 0;
    update();
}

QSize Marquee::sizeHint() const
{
    return {200, m_content.isNull() ? fontMetrics().height() : m_content.height()};
}

void Marquee::render()
{
    if (!m_html.isEmpty()) {
        QTextDocument doc;
        doc.setDefaultFont(font());
        doc.setDocumentMargin(0);
        doc.setHtml(m_html);
        const QSizeF boy = doc.size();
        const qreal oran = devicePixelRatioF();
        QPixmap pm(QSize(qCeil(boy.width() * oran), qCeil(boy.height() * oran)));
        pm.setDevicePixelRatio(oran);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        doc.drawContents(&p);
        m_content = pm;
    } else if (m_provider) {
        m_content = m_provider();
    } else {
        m_content = m_pixmap;
    }
    m_offset = 0;
    updateGeometry();
    update();
}

void Marquee::updateTimer()
{
    if (m_running && isVisible())
        m_timer.start(m_interval, Qt::PreciseTimer, this);
    else
        m_timer.stop();
}

void Marquee::paintEvent(QPaintEvent*)
{
    if (m_content.isNull())
        return;
    QPainter p(this);
    const QSizeF boy = m_content.deviceIndependentSize();
    const int x = width() - m_offset;
    const int y = qRound((height() - boy.height()) / 2);
    p.drawPixmap(QPointF(x, y), m_content);
}

void Marquee::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        advance();
    else
        QWidget::timerEvent(event);
}

void Marquee::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void Marquee::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateTimer();
}

void Marquee::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_offset >= passWidth())
        m_offset = 0;
}

void Marquee::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_html.isEmpty())
        render();
}
