#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

class PictureFetcher;

// A picture area that loads its picture from a web address in the
// background. The picture is stretched to the area keeping its proportions,
// centred, over a transparent background. A failed download, an empty body,
// an unknown content type or undecodable data keep the previous picture.
class UrlPictureBox : public QWidget
{
    Q_OBJECT
public:
    // Maps a response's Content-Type header to the image format to decode
    // with ("PNG", "JPEG", ...); an empty result means "do not show".
    using FormatChooser = std::function<QByteArray(const QByteArray &contentType)>;

    explicit UrlPictureBox(QWidget *parent = nullptr);
    ~UrlPictureBox() override;

    // Setting a different address stores it and, unless it is empty, starts
    // its download (aborting one still running). The same address again does
    // nothing.
    void setUrl(const QString &url);
    QString url() const { return m_url; }

    void setFormatChooser(FormatChooser chooser);
    QImage image() const { return m_image; }
    bool isLoading() const;

    QSize sizeHint() const override { return {200, 200}; }

signals:
    // Emitted once per finished download: shown tells whether the picture
    // changed.
    void loadFinished(bool shown);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onReceived(const QByteArray &body, const QByteArray &contentType);

    QString m_url;
    QImage m_image;
    FormatChooser m_chooser;
    PictureFetcher *m_fetcher;
};
