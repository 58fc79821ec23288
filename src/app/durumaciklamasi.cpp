#include "app/durumaciklamasi.h"

#include "catalogue/durumresimleri.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

namespace {

QLabel* yazi(const QString& metin, QWidget* parent)
{
    auto* l = new QLabel(metin, parent);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #434C58; background: transparent;"));
    return l;
}

QLabel* resim(const QPixmap& p, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setPixmap(p.scaled(18, 18, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    l->setFixedSize(20, 20);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

DurumAciklamasi::DurumAciklamasi(QWidget* parent)
    : QWidget(parent)
{
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(6, 0, 6, 0);
    lay->setSpacing(0);
    lay->addWidget(yazi(QStringLiteral("Durum Açıklaması:    "), this));
    // The pictures are the stock grids' own state pictures (by their index in
    // the list), so the legend always explains what the grids show.
    const QList<QPixmap>& resimler = DurumResimleri();
    const struct {
        int resim;
        QString metin;
    } kalemler[] = {
        {0, QStringLiteral(" Stok mevcut  ")},       {3, QStringLiteral(" Kritik Seviye ")},
        {8, QStringLiteral(" Telefon Açınız  ")},    {2, QStringLiteral(" Yolda  ")},
        {5, QStringLiteral(" Tedarik Sürecinde ")}, {1, QStringLiteral(" Özel Sipariş  ")},
        {4, QStringLiteral(" Yok  ")},
    };
    for (const auto& k : kalemler) {
        lay->addWidget(resim(resimler.value(k.resim), this));
        lay->addWidget(yazi(k.metin, this));
        lay->addSpacing(8);
    }
    lay->addStretch(1);
}
