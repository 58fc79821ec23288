#include "core/ui/sekmeboyaci.h"

#include "core/sekmebasligi.h"

#include <QCursor>
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace {

bool dikey(QTabBar::Shape s)
{
    switch (s) {
    case QTabBar::RoundedWest:
    case QTabBar::RoundedEast:
    case QTabBar::TriangularWest:
    case QTabBar::TriangularEast: return true;
    default: return false;
    }
}

int ilkGorunur(const QTabBar& bar)
{
    for (int i = 0; i < bar.count(); ++i)
        if (bar.isTabVisible(i))
            return i;
    return -1;
}

int sonGorunur(const QTabBar& bar)
{
    for (int i = bar.count() - 1; i >= 0; --i)
        if (bar.isTabVisible(i))
            return i;
    return -1;
}

// The style option of one tab, as the bar itself would fill it.
QStyleOptionTab secenek(const QTabBar& bar, int index)
{
    QStyleOptionTab o;
    o.initFrom(&bar);
    o.rect = bar.tabRect(index);
    o.shape = bar.shape();
    o.icon = bar.tabIcon(index);
    o.iconSize = bar.iconSize();
    o.text = bar.tabText(index);
    o.documentMode = bar.documentMode();
    o.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    const bool etkin = index == bar.currentIndex();
    if (etkin)
        o.state |= QStyle::State_Selected;
    if (bar.isTabEnabled(index))
        o.state |= QStyle::State_Enabled;
    else
        o.state &= ~QStyle::State_Enabled;
    if (bar.underMouse() && bar.tabAt(bar.mapFromGlobal(QCursor::pos())) == index)
        o.state |= QStyle::State_MouseOver;
    const int ilk = ilkGorunur(bar), son = sonGorunur(bar);
    if (ilk == son)
        o.position = QStyleOptionTab::OnlyOneTab;
    else if (index == ilk)
        o.position = QStyleOptionTab::Beginning;
    else if (index == son)
        o.position = QStyleOptionTab::End;
    else
        o.position = QStyleOptionTab::Middle;
    const int secili = bar.currentIndex();
    if (secili == index - 1)
        o.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    else if (secili == index + 1)
        o.selectedPosition = QStyleOptionTab::NextIsSelected;
    else
        o.selectedPosition = QStyleOptionTab::NotAdjacent;
    return o;
}

} // namespace

TTabColorControlStyleHook* TTabColorControlStyleHook::Kur(QTabBar* bar)
{
    if (auto* eski = bar->findChild<TTabColorControlStyleHook*>(QString(), Qt::FindDirectChildrenOnly))
        return eski;
    return new TTabColorControlStyleHook(bar);
}

TTabColorControlStyleHook::TTabColorControlStyleHook(QTabBar* bar)
    : QObject(bar)
    , m_bar(bar)
{
    bar->setAttribute(Qt::WA_Hover);
    bar->installEventFilter(this);
    bar->update();
}

void TTabColorControlStyleHook::setMetinRengi(const QColor& renk)
{
    m_renk = renk;
    if (m_bar)
        m_bar->update();
}

QColor TTabColorControlStyleHook::MetinRengi() const
{
    if (m_renk.isValid() || !m_bar)
        return m_renk;
    return m_bar->palette().color(QPalette::ButtonText);
}

bool TTabColorControlStyleHook::eventFilter(QObject* nesne, QEvent* olay)
{
    // The event type first: while the bar is destroyed its QWidget part
    // still sends events here (hide), when it is no QTabBar any more and the
    // guarded pointer must not be read.
    if (olay->type() != QEvent::Paint || nesne != parent() || !m_bar)
        return false;
    QStylePainter p(m_bar);
    // The active tab last, so that its larger shape lies over its neighbours.
    const int etkin = m_bar->currentIndex();
    for (int i = 0; i < m_bar->count(); ++i) {
        if (i != etkin && m_bar->isTabVisible(i))
            SekmeCiz(p, i);
    }
    if (etkin >= 0 && m_bar->isTabVisible(etkin))
        SekmeCiz(p, etkin);
    return true;
}

void TTabColorControlStyleHook::SekmeCiz(QPainter& p, int index) const
{
    if (!m_bar)
        return;
    QStyleOptionTab o = secenek(*m_bar, index);
    const bool etkin = o.state & QStyle::State_Selected;
    QRect r = o.rect;
    if (etkin) {
        // The active tab is drawn 2 pixels larger vertically.
        r.adjust(0, -1, 0, 1);
        o.rect = r;
    }
    m_bar->style()->drawControl(QStyle::CE_TabBarTabShape, &o, &p, m_bar);

    const TSonuc bolum = SekmeBasligiAyir(o.text);
    p.save();
    p.setFont(m_bar->font());

    if (dikey(o.shape)) {
        // Turned title, no counter.
        p.translate(r.center());
        p.rotate(o.shape == QTabBar::RoundedWest || o.shape == QTabBar::TriangularWest ? -90 : 90);
        const QRect dondu(-r.height() / 2, -r.width() / 2, r.height(), r.width());
        p.setPen(MetinRengi());
        p.drawText(dondu, Qt::AlignCenter | Qt::TextWordWrap, bolum.baslik);
        p.restore();
        return;
    }

    const int kayma = etkin ? -1 : 0; // icon and title sit 1 pixel higher on the active tab
    QRect baslikAlani = r;
    if (!o.icon.isNull()) {
        const QSize boy = o.iconSize;
        const QRect ikon(r.left() + 3, r.top() + (r.height() - boy.height()) / 2 + kayma, boy.width(),
                         boy.height());
        const QIcon::Mode kip = (o.state & QStyle::State_Enabled) ? QIcon::Normal : QIcon::Disabled;
        o.icon.paint(&p, ikon, Qt::AlignCenter, kip);
        baslikAlani.setLeft(ikon.right() + 1);
    }
    baslikAlani.translate(0, kayma);
    baslikAlani.adjust(0, 5, 0, -5);
    p.setPen(MetinRengi());
    p.drawText(baslikAlani, Qt::AlignCenter | Qt::TextWordWrap, bolum.baslik);

    if (bolum.sayi > 0) {
        QRect sayiAlani = baslikAlani.adjusted(2, -3, -2, 3);
        // Within the tab's drawn shape: a style's tab margins lie inside tabRect.
        const QRect metinAlani = m_bar->style()->subElementRect(QStyle::SE_TabBarTabText, &o, m_bar);
        if (metinAlani.isValid())
            sayiAlani.setRight(qMin(sayiAlani.right(), metinAlani.right()));
        p.setPen(QColor(255, 0, 0));
        p.drawText(sayiAlani, Qt::AlignRight | Qt::AlignTop,
                   u'(' + QString::number(bolum.sayi) + u')');
    }
    p.restore();
}
