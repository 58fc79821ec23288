#include "platform/grid/filterpopup.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int KeyRole = Qt::UserRole + 1;
}

QString FilterPopup::allText()
{
    return QStringLiteral("(Tümü)");
}

QString FilterPopup::blankText()
{
    return QStringLiteral("(Boş)");
}

FilterPopup::FilterPopup(const QList<gridlogic::DistinctValue> &values, const QSet<QString> &checked,
                         QWidget *parent)
    : QFrame(parent, Qt::Popup)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QStringLiteral("Ara"));
    m_search->setClearButtonEnabled(true);
    layout->addWidget(m_search);

    m_list = new QListWidget(this);
    m_list->setUniformItemSizes(true);
    layout->addWidget(m_list);

    auto *all = new QListWidgetItem(allText(), m_list);
    all->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    const bool everything = checked.isEmpty();
    for (const gridlogic::DistinctValue &v : values) {
        auto *item = new QListWidgetItem(v.key == gridlogic::nullKey() ? blankText() : v.text, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(KeyRole, v.key);
        item->setCheckState(everything || checked.contains(v.key) ? Qt::Checked : Qt::Unchecked);
    }

    auto *buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("Tamam"), this);
    auto *clear = new QPushButton(QStringLiteral("Filtreyi Temizle"), this);
    auto *cancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(clear);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_ok->setDefault(true);
    updateAllItem();

    connect(m_search, &QLineEdit::textChanged, this, &FilterPopup::narrow);
    connect(m_list, &QListWidget::itemChanged, this, [this, all](QListWidgetItem *item) {
        if (m_updating)
            return;
        m_updating = true;
        if (item == all) {
            const Qt::CheckState state = all->checkState() == Qt::Unchecked ? Qt::Unchecked : Qt::Checked;
            for (int i = 1; i < m_list->count(); ++i)
                if (!m_list->item(i)->isHidden())
                    m_list->item(i)->setCheckState(state);
        }
        m_updating = false;
        updateAllItem();
    });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        emit applied(checkedKeys(), allChecked());
        close();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        emit applied({}, true);
        close();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    resize(260, 320);
}

void FilterPopup::narrow(const QString &text)
{
    for (int i = 1; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        item->setHidden(!text.isEmpty() && !item->text().contains(text, Qt::CaseInsensitive));
    }
}

void FilterPopup::updateAllItem()
{
    int on = 0;
    const int n = m_list->count() - 1;
    for (int i = 1; i <= n; ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            ++on;
    m_updating = true;
    m_list->item(0)->setCheckState(on == n ? Qt::Checked : (on == 0 ? Qt::Unchecked : Qt::PartiallyChecked));
    m_updating = false;
    m_ok->setEnabled(on > 0);
}

QSet<QString> FilterPopup::checkedKeys() const
{
    QSet<QString> keys;
    for (int i = 1; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            keys.insert(m_list->item(i)->data(KeyRole).toString());
    return keys;
}

bool FilterPopup::allChecked() const
{
    for (int i = 1; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() != Qt::Checked)
            return false;
    return true;
}
