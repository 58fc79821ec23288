#pragma once
// The status legend at the bottom of the main window: "Durum Açıklaması:"
// followed by each stock-state picture and its meaning.

#include <QWidget>

class DurumAciklamasi : public QWidget
{
    Q_OBJECT
public:
    explicit DurumAciklamasi(QWidget* parent = nullptr);
};
