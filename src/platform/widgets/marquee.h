#pragma once
// A marquee: one line of content (rich text or a picture) scrolling from right
// to left without end, with a gap between one pass and the next. It repaints
// only itself, from a picture rendered once per content change, and its timer
// runs only while it is running and visible.

#include <QBasicTimer>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>

class Marquee : public QWidget
{
    Q_OBJECT

public:
    explicit Marquee(QWidget* parent = nullptr);

    // Content. setHtml takes rich text (bold, italic, colour, line breaks
    // among others); setPixmap a picture; clear leaves the marquee empty (it
    // may keep running, showing nothing).
    void setHtml(const QString& html);
    void setPixmap(const QPixmap& pixmap);
    // A picture supplier asked at every content render instead of a fixed
    // pixmap (the owner-drawn item).
    void setPixmapProvider(std::function<QPixmap()> provider);
    void clear();
    bool isEmpty() const;

    // Pixels advanced per step, step interval, gap between passes.
    void setStep(int pixels) { m_step = pixels; }
    int step() const { return m_step; }
    void setInterval(int ms);
    int interval() const { return m_interval; }
    void setGap(int pixels) { m_gap = pixels; }
    int gap() const { return m_gap; }

    void start();
    void stop();
    bool isRunning() const { return m_running; }
    // True while the timer ticks (running and shown).
    bool isTicking() const { return m_timer.isActive(); }

    // Scroll position: pixels scrolled since the current pass began; the
    // content's left edge is at width() - offset().
    int offset() const { return m_offset; }
    // Width of one pass: the content's width plus the gap.
    int passWidth() const;
    // One step as the timer makes it (tests drive the marquee with it).
    void advance();

    // The rendered content (empty when there is none).
    QPixmap content() const { return m_content; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void render();
    void updateTimer();

    QString m_html;
    QPixmap m_pixmap;
    std::function<QPixmap()> m_provider;
    QPixmap m_content;
    QBasicTimer m_timer;
    int m_step = 1;
    int m_interval = 10;
    int m_gap = 100;
    int m_offset = 0;
    bool m_running = false;
};
