#include "platform/widgets/animatedpicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>

AnimatedPicture::AnimatedPicture(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

AnimatedPicture::~AnimatedPicture() = default;

bool AnimatedPicture::loadFile(const QString& fileName)
{
    auto* movie = new QMovie(fileName, QByteArray(), this);
    return takeMovie(movie, nullptr);
}

bool AnimatedPicture::loadData(const QByteArray& data)
{
    m_data = data;
    auto* buffer = new QBuffer(&m_data, this);
    buffer->open(QIODevice::ReadOnly);
    auto* movie = new QMovie(buffer, QByteArray(), this);
    return takeMovie(movie, buffer);
}

bool AnimatedPicture::takeMovie(QMovie* movie, QBuffer* buffer)
{
    clearPicture();
    if (!movie->isValid()) {
        delete movie;
        delete buffer;
        m_data.clear();
        applyAutoSize();
        return false;
    }
    m_movie = movie;
    m_buffer = buffer;
    m_format = movie->format().toLower();
    movie->jumpToFrame(0);
    setMovie(movie);
    updatePlaying();
    applyAutoSize();
    return true;
}

void AnimatedPicture::clearPicture()
{
    if (m_movie) {
        m_movie->stop();
        QLabel::clear();
        delete m_movie.data();
    }
    delete m_buffer;
    m_buffer = nullptr;
    m_format.clear();
    applyAutoSize();
}

bool AnimatedPicture::hasPicture() const { return m_movie && m_movie->isValid(); }

bool AnimatedPicture::isAnimation() const { return m_movie && m_movie->frameCount() != 1; }

QSize AnimatedPicture::pictureSize() const
{
    return m_movie ? m_movie->currentImage().size() : QSize();
}

void AnimatedPicture::setAnimated(bool on)
{
    m_animated = on;
    updatePlaying();
}

bool AnimatedPicture::isPlaying() const { return m_movie && m_movie->state() == QMovie::Running; }

void AnimatedPicture::setAutoSize(bool on)
{
    m_autoSize = on;
    applyAutoSize();
}

void AnimatedPicture::applyAutoSize()
{
    if (m_autoSize)
        setFixedHeight(hasPicture() ? pictureSize().height() : 0);
}

void AnimatedPicture::updatePlaying()
{
    if (!m_movie)
        return;
    const bool play = m_animated && isVisible() && isAnimation();
    if (play && m_movie->state() != QMovie::Running)
        m_movie->start();
    else if (!play && m_movie->state() == QMovie::Running)
        m_movie->setPaused(true);
}

void AnimatedPicture::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    updatePlaying();
}

void AnimatedPicture::hideEvent(QHideEvent* event)
{
    QLabel::hideEvent(event);
    updatePlaying();
}
