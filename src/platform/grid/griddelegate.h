#pragma once

// Paints the grid's cells: row colours from the grid's styles, grid lines,
// the focus rectangle when switched on, and the special kinds (pictures,
// check boxes, images, owner-drawn cells, group rows). Row heights are fixed
// by the view; the delegate never measures rows.

#include "platform/grid/gridlook.h"

#include <QCache>
#include <QStyledItemDelegate>

class GridModel;

class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    GridDelegate(const GridModel *model, const GridLook *look, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Forgets decoded pictures (after the table was replaced).
    void clearImageCache() { m_images.clear(); }

private:
    void paintGroupHeader(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintGroupFooter(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintText(QPainter *p, const QRect &rect, const QString &text, Qt::Alignment align, bool wrap,
                   const QColor &fg) const;
    void paintImage(QPainter *p, const QRect &rect, const QModelIndex &index, int sourceRow) const;
    void paintGridLines(QPainter *p, const QRect &rect) const;

    const GridModel *m_model;
    const GridLook *m_look;
    mutable QCache<quint64, QPixmap> m_images;
};

// Turns an image cell's raw value into a picture: QImage, QPixmap, encoded
// bytes, or text holding the bytes as hexadecimal digits or base64.
QImage decodeCellImage(const QVariant &raw);
