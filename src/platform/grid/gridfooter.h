#pragma once

// The footer row under a grid's rows: the summaries of chosen columns, each
// drawn under its column and following the column's position and width.

#include "platform/grid/gridcolumn.h"

#include <QHash>
#include <QWidget>

class GridModel;
class QTableView;
struct GridLook;

class GridFooter : public QWidget
{
    Q_OBJECT

public:
    GridFooter(QTableView *view, const GridModel *model, const GridLook *look, QWidget *parent = nullptr);

    void setSummaries(const QList<GridSummary> &summaries);
    const QList<GridSummary> &summaries() const { return m_summaries; }
    // The text shown under a column (several summaries joined by two blanks).
    QString text(int column) const;
    // Drops the computed values; they are computed again when next needed.
    void invalidate();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override; // the full text of a cut summary as a tooltip

private:
    void compute() const;
    QRect cellRect(int column, int x0) const;

    QTableView *m_view;
    const GridModel *m_model;
    const GridLook *m_look;
    QList<GridSummary> m_summaries;
    mutable QHash<int, QString> m_texts;
    mutable bool m_valid = false;
};
