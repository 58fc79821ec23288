#pragma once
// The update download: shown when the server expects another client version.
// Downloads the setup program, saves it in the local application-data folder,
// starts it with "/silent" and ends the program; on a failed download it
// reports the error and ends the program too. There is no way back.

#include <QDialog>
#include <QLocale>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

class Tdosyaindir : public QDialog
{
    Q_OBJECT

public:
    // Yeni: the notice for the version the server expects (_y).
    Tdosyaindir(QWidget* AOwner, int _y);

    QLabel* sLabel1 = nullptr;     // the notice
    QWidget* Panel1 = nullptr;
    QLabel* bilgi = nullptr;       // progress text
    QProgressBar* ProgressBar1 = nullptr;

    bool basladi = false;

    // The download address: download host + "/exe/ZELVORISetup.exe".
    static QString IndirmeAdresiVer();
    // The setup file in the user's local application-data folder.
    static QString KurulumDosyasi();

    // The notice text for a server version.
    static QString BilgiMetni(int y);
    // The progress text for a download of `toplam` bytes with `okunan` read:
    // "Bilgi: %50,00  İndirilen: 1,50/3,00 Mb" in the given locale.
    static QString IlerlemeMetni(qint64 okunan, qint64 toplam, const QLocale& yerel = QLocale());

    // Progress of the download (only when the length is known).
    void NetHTTPClient1ReceiveData(qint64 AContentLength, qint64 AReadCount);
    // A failed download: the error box, then the program ends.
    void NetHTTPClient1RequestError(const QString& AError);

    // Starts the download on the first call; later calls do nothing.
    void FormActivate();

signals:
    // The download has ended (setup started or error reported). For observers.
    void indirmeBitti();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The end of the download, also when the window has been closed meanwhile.
    static void KurulumuBaslat(const QByteArray& veri, QPointer<Tdosyaindir> pencere);
    static void IndirmeHatasi(const QString& hata, QPointer<Tdosyaindir> pencere);
};
