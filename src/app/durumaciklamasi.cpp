#include "app/durumaciklamasi.h"

#include "assets/resimler.h"

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

QLabel* resim(const QString& yol, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setPixmap(QIcon(yol).pixmap(18, 18));
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
    const struct {
        QString resim;
        QString metin;
    } kalemler[] = {
        {Resimler::Durum(1), QStringLiteral(" Stok mevcut  ")},
        {Resimler::KritikSeviye(), QStringLiteral(" Kritik Seviye ")},
        {Resimler::Durum(2), QStringLiteral(" Telefon Açınız  ")},
        {Resimler::Durum(3), QStringLiteral(" Yolda  ")},
        {Resimler::Durum(5), QStringLiteral(" Tedarik Sürecinde ")},
        {Resimler::Durum(4), QStringLiteral(" Özel Sipariş  ")},
        {Resimler::Durum(0), QStringLiteral(" Yok  ")},
    };
    for (const auto& k : kalemler) {
        lay->addWidget(resim(k.resim, this));
        lay->addWidget(yazi(k.metin, this));
        lay->addSpacing(8);
    }
    lay->addStretch(1);
}
