#include "catalogue/durumresimleri.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int kBoyut = 24;

QPixmap bosResim()
{
    QPixmap pm(kBoyut, kBoyut);
    pm.fill(Qt::transparent);
    return pm;
}

// A filled disc with a short white sign in it.
QPixmap isaretliDaire(const QColor &renk, const QString &isaret)
{
    QPixmap pm = bosResim();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(renk.darker(130), 1));
    p.setBrush(renk);
    p.drawEllipse(QRectF(2.5, 2.5, kBoyut - 5, kBoyut - 5));
    QFont f(u"DejaVu Sans"_s);
    f.setPixelSize(isaret.size() > 1 ? 9 : 13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kBoyut, kBoyut), Qt::AlignCenter, isaret);
    return pm;
}

QPixmap yildiz(const QColor &renk)
{
    QPixmap pm = bosResim();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath yol;
    const QPointF merkez(kBoyut / 2.0, kBoyut / 2.0 + 1);
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 10.5 : 4.5;
        const double aci = -M_PI / 2 + i * M_PI / 5;
        const QPointF n(merkez.x() + r * std::cos(aci), merkez.y() + r * std::sin(aci));
        i == 0 ? yol.moveTo(n) : yol.lineTo(n);
    }
    yol.closeSubpath();
    p.setPen(QPen(renk.darker(140), 1));
    p.setBrush(renk);
    p.drawPath(yol);
    return pm;
}

QPixmap kamera()
{
    QPixmap pm = bosResim();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x3D, 0x41, 0x4A), 1.5));
    p.setBrush(QColor(0x5B, 0x8D, 0xC9));
    p.drawRoundedRect(QRectF(2.5, 7.5, 19, 13), 2, 2);
    p.drawRect(QRectF(8.5, 4.5, 7, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 14), 4, 4);
    return pm;
}

} // namespace

const QList<QPixmap> &DurumResimleri()
{
    static const QList<QPixmap> resimler = {
        isaretliDaire(QColor(0x2E, 0x9E, 0x4F), u"✓"_s),  // 0 in stock
        isaretliDaire(QColor(0x7B, 0x4F, 0xB8), u"Ö"_s),  // 1 special order
        isaretliDaire(QColor(0x2F, 0x7F, 0xD1), u"→"_s),  // 2 on the way
        isaretliDaire(QColor(0xF0, 0x9A, 0x1A), u"!"_s),  // 3 critical level
        isaretliDaire(QColor(0xD3, 0x2F, 0x2F), u"✕"_s),  // 4 not available
        isaretliDaire(QColor(0xC9, 0xA8, 0x00), u"…"_s),  // 5 being procured
        isaretliDaire(QColor(0x9E, 0x9E, 0x9E), QString()), // 6 spare
        isaretliDaire(QColor(0x60, 0x7D, 0x8B), QString()), // 7 spare
        isaretliDaire(QColor(0x00, 0x96, 0x88), u"☎"_s),  // 8 please phone
        isaretliDaire(QColor(0x42, 0x42, 0x42), QString()), // 9 spare
    };
    return resimler;
}

QList<PictureItem> DurumResimDegerleri()
{
    return {
        {1, 0, u"Var"_s},
        {4, 1, u"Özel Sipariş"_s},
        {3, 2, u"Yolda"_s},
        {0, 4, u"Yok"_s},
        {5, 5, u"Tedarik Sürecinde"_s},
        {2, 8, u"Telefon Açınız"_s},
    };
}

const QList<QPixmap> &EvetHayirResimleri()
{
    static const QList<QPixmap> resimler = {bosResim(), yildiz(QColor(0xF5, 0xB3, 0x01))};
    return resimler;
}

const QList<QPixmap> &ResimVarResimleri()
{
    static const QList<QPixmap> resimler = {kamera()};
    return resimler;
}

QWidget *DurumAciklamasiOlustur(QWidget *parent, bool kritikSeviyeGoster)
{
    auto *panel = new QWidget(parent);
    auto *duzen = new QHBoxLayout(panel);
    duzen->setContentsMargins(4, 0, 4, 0);
    duzen->setSpacing(2);

    QFont f = panel->font();
    f.setPixelSize(11);
    f.setBold(true);
    auto etiket = [&](const QString &yazi) {
        auto *l = new QLabel(yazi, panel);
        l->setFont(f);
        l->setStyleSheet(u"color: #434C58; background: transparent;"_s);
        duzen->addWidget(l);
    };
    auto resim = [&](int index) {
        auto *l = new QLabel(panel);
        l->setPixmap(DurumResimleri().at(index));
        duzen->addWidget(l);
    };

    etiket(u"Durum Açıklaması:    "_s);
    const struct { int index; const char16_t *yazi; bool kritik; } kalemler[] = {
        {0, u" Stok mevcut  ", false},
        {3, u" Kritik Seviye ", true},
        {8, u" Telefon Açınız  ", false},
        {2, u" Yolda  ", false},
        {5, u" Tedarik Sürecinde ", false},
        {1, u" Özel Sipariş  ", false},
        {4, u" Yok  ", false},
    };
    for (const auto &k : kalemler) {
        if (k.kritik && !kritikSeviyeGoster)
            continue;
        resim(k.index);
        etiket(QString::fromUtf16(k.yazi));
    }
    duzen->addStretch(1);
    return panel;
}
