#pragma once

#include "platform/widgets/urlpicturebox.h"

// The item picture of the add-to-basket dialog, fetched from the picture
// service by address. The decoder follows the answer's content type.
class TAsyncResim : public UrlPictureBox
{
    Q_OBJECT
public:
    explicit TAsyncResim(QWidget *parent = nullptr);

    void SetUrl(const QString &url) { setUrl(url); }
    QString Url() const { return url(); }
};

// The image format for a response's Content-Type: the type and slash
// ("image/") are dropped, the rest compared in lower case: "png", "bmp",
// "jpeg" or "jpg". Anything else (text/html, an error page) gives an empty
// result: nothing is shown.
QByteArray ResimBicimi(const QByteArray &contentType);
