#pragma once

// The column header of a DataGrid: styled sections, the sort mark, and a
// filter button on each filterable column. A header section dragged out of
// the header can be dropped on the group-by box.

#include <QHeaderView>

class GridModel;
struct GridLook;

class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    // The drag's mime type; the payload is the column's logical index.
    static QString columnMimeType();

    GridHeader(const GridModel *model, const GridLook *look, QWidget *parent = nullptr);

    void setFilterButtonsVisible(bool on);
    bool filterButtonsVisible() const { return m_filterButtons; }
    void setHeight(int height);
    void setGroupDragEnabled(bool on) { m_groupDrag = on; }

    // The filter button of a section, in header coordinates (empty when none).
    QRect filterButtonRect(int logicalIndex) const;
    static constexpr int FilterButtonWidth = 16;

    QSize sizeHint() const override;

signals:
    void filterButtonClicked(int logicalIndex, const QRect &buttonGlobalRect);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool hasFilterButton(int logicalIndex) const;

    const GridModel *m_model;
    const GridLook *m_look;
    bool m_filterButtons = false;
    bool m_groupDrag = false;
    int m_height = 24;
    int m_pressedSection = -1;
    QPoint m_pressPos;
};

// The row indicator: a narrow strip left of the rows in the indicator style,
// marking the focused row.
class RowIndicator : public QHeaderView
{
    Q_OBJECT

public:
    RowIndicator(const GridLook *look, QWidget *parent = nullptr);
    void setIndicatorWidth(int width);
    int indicatorWidth() const { return m_width; }
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    const GridLook *m_look;
    int m_width = 12;
};
