#include "appserver/pictures.h"

#include "appserver/gifencoder.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictures {

namespace {

bool canDrawText()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

QByteArray encode(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

const QColor kRed(0xC8, 0x10, 0x2E);
const QColor kDark(0x1F, 0x2A, 0x38);

QColor variantColour(int variant)
{
    static const QColor colours[] = {QColor(0x2E, 0x5E, 0xAA), QColor(0xC8, 0x10, 0x2E), QColor(0x3C, 0x8D, 0x2F),
                                     QColor(0xE0, 0x8A, 0x00), QColor(0x6B, 0x3F, 0xA0), QColor(0x00, 0x86, 0x8B),
                                     QColor(0x55, 0x55, 0x55), QColor(0x8B, 0x45, 0x13)};
    return colours[(variant % 8 + 8) % 8];
}

void drawText(QPainter &p, const QRect &rect, const QString &text, int pixelSize, const QColor &colour,
              bool bold = true, int flags = Qt::AlignCenter | Qt::TextWordWrap)
{
    if (!canDrawText() || text.isEmpty())
        return;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, flags, text);
}

} // namespace

QByteArray productJpeg(int variant, const QString &label)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = variantColour(variant);
    QRadialGradient g(QPointF(200, 130), 120);
    g.setColorAt(0, c.lighter(160));
    g.setColorAt(1, c.darker(140));
    p.setBrush(g);
    p.setPen(QPen(kDark, 3));
    switch (variant % 4) {
    case 0:  // a disc
        p.drawEllipse(QPointF(200, 130), 100, 100);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(200, 130), 30, 30);
        break;
    case 1:  // a pad
        p.drawRoundedRect(QRectF(80, 70, 240, 120), 40, 40);
        break;
    case 2: {  // a filter
        p.drawRect(QRectF(130, 40, 140, 180));
        for (int y = 55; y < 215; y += 14)
            p.drawLine(135, y, 265, y);
        break;
    }
    default: {  // a bulb
        QPainterPath path;
        path.addEllipse(QPointF(200, 110), 70, 70);
        path.addRect(QRectF(170, 170, 60, 50));
        p.drawPath(path.simplified());
        break;
    }
    }
    drawText(p, QRect(0, 240, 400, 60), label, 20, kDark);
    p.end();
    return encode(image, "JPEG", 80);
}

QByteArray advertJpeg(int variant, const QString &title, const QString &subtitle)
{
    QImage image(600, 400, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = variantColour(variant);
    QLinearGradient g(0, 0, 600, 400);
    g.setColorAt(0, c.lighter(130));
    g.setColorAt(1, c.darker(170));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(80 + i * 95, 330 - (i % 2) * 40), 60, 60);
    p.setBrush(kRed);
    p.drawRect(0, 0, 600, 70);
    drawText(p, QRect(10, 0, 580, 70), QStringLiteral("ZELVORİ OTOMOTİV"), 34, Qt::white);
    drawText(p, QRect(20, 100, 560, 120), title, 40, Qt::white);
    drawText(p, QRect(20, 230, 560, 100), subtitle, 24, Qt::white, false);
    p.end();
    return encode(image, "JPEG", 85);
}

QByteArray topBannerGif()
{
    const int w = 900, h = 60, frames = 12;
    QList<gif::Frame> list;
    for (int f = 0; f < frames; ++f) {
        QImage image(w, h, QImage::Format_RGB32);
        QPainter p(&image);
        p.fillRect(image.rect(), kDark);
        // A light band sweeping from left to right.
        const int x = f * (w + 200) / frames - 100;
        QLinearGradient g(x - 100, 0, x + 100, 0);
        g.setColorAt(0, kDark);
        g.setColorAt(0.5, kRed);
        g.setColorAt(1, kDark);
        p.fillRect(QRect(x - 100, 0, 200, h), g);
        drawText(p, image.rect(), QStringLiteral("Zelvori Otomotiv B2B — Yeni sezon kampanyaları başladı!"), 24,
                 Qt::white);
        p.end();
        list.append({image, f == 0 ? 80 : 8});
    }
    return gif::encodeAnimation(list);
}

QByteArray bottomBannerBmp()
{
    QImage image(1200, 48, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 1200, 0);
    g.setColorAt(0, kRed);
    g.setColorAt(1, kDark);
    p.fillRect(image.rect(), g);
    drawText(p, image.rect(),
             QStringLiteral("Fren • Süspansiyon • Filtre • Aydınlatma — Aynı gün kargo, 7/24 sipariş"), 22,
             Qt::white);
    p.end();
    return encode(image, "BMP");
}

} // namespace pictures
