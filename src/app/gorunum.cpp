#include "app/gorunum.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

void GorunumUygula(QApplication& app)
{
    if (QStyle* s = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(s);
    QPalette p = app.palette();
    p.setColor(QPalette::Window, QColor(0xEF, 0xEF, 0xEF));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xEF, 0xEF, 0xEF));
    p.setColor(QPalette::Highlight, QColor(0xD2, 0xF0, 0xF9));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Button, QColor(0xF4, 0xF5, 0xF7));
    p.setColor(QPalette::ButtonText, QColor(0x3D, 0x41, 0x4A));
    app.setPalette(p);
}
