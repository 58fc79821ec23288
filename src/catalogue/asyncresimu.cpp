#include "catalogue/asyncresimu.h"

TAsyncResim::TAsyncResim(QWidget *parent)
    : UrlPictureBox(parent)
{
    setFormatChooser(&ResimBicimi);
}

QByteArray ResimBicimi(const QByteArray &contentType)
{
    QByteArray alt = contentType.mid(6);
    // Parameters such as "; charset=binary" do not change the picture kind.
    const qsizetype noktaliVirgul = alt.indexOf(';');
    if (noktaliVirgul >= 0)
        alt.truncate(noktaliVirgul);
    alt = alt.trimmed().toLower();
    if (alt == "png")
        return QByteArrayLiteral("PNG");
    if (alt == "bmp")
        return QByteArrayLiteral("BMP");
    if (alt == "jpeg" || alt == "jpg")
        return QByteArrayLiteral("JPEG");
    return {};
}
