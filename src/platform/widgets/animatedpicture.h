#pragma once
// A picture control that plays an animated picture (GIF and anything else
// QMovie reads) from a file, a resource or bytes in memory; a still picture
// is shown as it is. It can size itself to its picture and stops playing
// while hidden.

#include <QByteArray>
#include <QLabel>
#include <QPointer>

class QBuffer;
class QMovie;

class AnimatedPicture : public QLabel
{
    Q_OBJECT

public:
    explicit AnimatedPicture(QWidget* parent = nullptr);
    ~AnimatedPicture() override;

    // Loads a picture; false (and nothing shown) when the data is no picture.
    bool loadFile(const QString& fileName);
    bool loadData(const QByteArray& data);
    void clearPicture();
    bool hasPicture() const;
    // True when the picture has more than one frame.
    bool isAnimation() const;
    // The format of the loaded picture in lower case ("gif"), or empty.
    QByteArray format() const { return m_format; }
    // The picture's size (empty without picture).
    QSize pictureSize() const;

    // Whether the animation plays (while shown).
    void setAnimated(bool on);
    bool isAnimated() const { return m_animated; }
    bool isPlaying() const;

    // With auto size the control's fixed height follows its picture (0 with none).
    void setAutoSize(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool takeMovie(QMovie* movie, QBuffer* buffer);
    void updatePlaying();
    void applyAutoSize();

    QPointer<QMovie> m_movie;
    QBuffer* m_buffer = nullptr;
    QByteArray m_data;
    QByteArray m_format;
    bool m_animated = true;
    bool m_autoSize = false;
};
