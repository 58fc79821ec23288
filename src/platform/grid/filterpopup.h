#pragma once

// The pick list of a header filter button: the column's distinct values with
// check marks, a box that narrows the list, and buttons to apply or clear.

#include "platform/grid/gridlogic.h"

#include <QFrame>
#include <QSet>

class QListWidget;
class QLineEdit;
class QPushButton;

class FilterPopup : public QFrame
{
    Q_OBJECT

public:
    // values: what the list offers; checked: the keys currently let through
    // (empty: no filter, everything checked).
    FilterPopup(const QList<gridlogic::DistinctValue> &values, const QSet<QString> &checked,
                QWidget *parent = nullptr);

    // The keys checked now; all checked means no filter.
    QSet<QString> checkedKeys() const;
    bool allChecked() const;

    // Texts of the list's special entries.
    static QString allText();
    static QString blankText();

signals:
    // The user applied a choice: keys to let through, or cleared (all).
    void applied(const QSet<QString> &keys, bool all);

private:
    void narrow(const QString &text);
    void updateAllItem();

    QLineEdit *m_search;
    QListWidget *m_list;
    QPushButton *m_ok;
    bool m_updating = false;
};
