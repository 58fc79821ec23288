#pragma once
// The tab painter of the main tab control. Captions of the form "N=Title" are
// drawn as the title, centred and wrapped, with "(N)" in red in the tab's top
// right corner when N > 0; other captions are drawn whole. The tab's shape
// (background, hot and active looks) still comes from the widget's style, and
// the tab's icon is drawn at its left.
//
//   TTabColorControlStyleHook::Kur(sPageControl1->tabBar());
//
// Tabs on the left or right are drawn with the title turned by 90 degrees and
// without counter.

#include <QColor>
#include <QObject>
#include <QPointer>

class QPainter;
class QTabBar;

class TTabColorControlStyleHook : public QObject
{
    Q_OBJECT

public:
    // Installs the painter on `bar`; it lives as long as the bar.
    static TTabColorControlStyleHook* Kur(QTabBar* bar);

    // The colour of the titles (default: the bar's button-text colour).
    void setMetinRengi(const QColor& renk);
    QColor MetinRengi() const;

    // Draws tab `index` of the bar (used by the paint event; exposed so that a
    // caller can render one tab into a picture).
    void SekmeCiz(QPainter& p, int index) const;

protected:
    bool eventFilter(QObject* nesne, QEvent* olay) override;

private:
    explicit TTabColorControlStyleHook(QTabBar* bar);
    QPointer<QTabBar> m_bar;
    QColor m_renk;
};
