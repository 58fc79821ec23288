#include "appserver/webpages.h"

#include "appserver/database.h"
#include "platform/dataset/fieldtype.h"

#include <QDateTime>
#include <QSqlQuery>

#include <httplib.h>

#include <chrono>
#include <cstdio>

namespace webpages {

namespace {

QString param(const httplib::Request &req, const char *key)
{
    return req.has_param(key) ? QString::fromStdString(req.get_param_value(key)) : QString();
}

std::string esc(const QString &text) { return text.toHtmlEscaped().toStdString(); }

void html(httplib::Response &res, const std::string &title, const std::string &body)
{
    res.set_content("<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\"><title>" + title
                        + "</title><style>body{font-family:Tahoma,sans-serif;margin:24px;color:#1f2a38}"
                          "h1{color:#c8102e;font-size:22px}table{border-collapse:collapse}"
                          "td,th{border:1px solid #ccd;padding:6px 10px;text-align:left}"
                          "input,textarea{width:320px;padding:4px}button{padding:6px 18px;background:#c8102e;"
                          "color:#fff;border:0}</style></head><body>"
                        + body + "</body></html>\n",
                    "text/html; charset=utf-8");
}

// A stand-in for the setup program: a shell script that reports the version
// it would install.
const char kSetupProgram[] =
    "#!/bin/sh\n"
    "# Zelvori B2B setup stand-in: the development server has no Windows installer.\n"
    "echo \"Zelvori Otomotiv B2B 5 kuruldu\"\n"
    "exit 0\n";

void logLine(bool log, const std::string &what, int status, std::chrono::steady_clock::time_point start)
{
    if (!log)
        return;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "GET %s %d %.2f ms\n", what.c_str(), status, ms);
}

} // namespace

void install(httplib::Server &server, Database &db, bool log)
{
    server.Get("/resimgoster.ashx", [&db, log](const httplib::Request &req, httplib::Response &res) {
        const auto start = std::chrono::steady_clock::now();
        bool ok = false;
        const int id = param(req, "id").toInt(&ok);
        QByteArray bytes;
        QString type;
        if (ok) {
            try {
                QSqlQuery q = runSql(db.connection(),
                                     QStringLiteral("SELECT r.tur, r.veri FROM stok s JOIN resim r ON r.resimno = s.resimno "
                                                    "WHERE s.stokno = ?"),
                                     {id});
                if (q.next()) {
                    type = q.value(0).toString();
                    bytes = q.value(1).toByteArray();
                }
            } catch (const DatabaseError &e) {
                res.status = 500;
                res.set_content(e.message().toStdString(), "text/plain; charset=utf-8");
                logLine(log, "resimgoster.ashx", 500, start);
                return;
            }
        }
        if (bytes.isEmpty()) {
            res.status = 404;
            res.set_content("Resim yok", "text/plain; charset=utf-8");
        } else {
            res.set_content(bytes.constData(), size_t(bytes.size()), type.toStdString().c_str());
        }
        logLine(log, "resimgoster.ashx", res.status, start);
    });

    server.Get("/formmailgonder.aspx", [log](const httplib::Request &req, httplib::Response &res) {
        const auto start = std::chrono::steady_clock::now();
        const QString id = param(req, "id");
        html(res, "Zelvori Otomotiv B2B İstek Formu",
             "<h1>Zelvori Otomotiv B2B Erişim İsteği</h1><p>Bu bilgisayar sistemde kayıtlı değil. Erişim için "
             "bilgilerinizi gönderin.</p><form method=\"post\" action=\"/formmailgonder.aspx\">"
             "<input type=\"hidden\" name=\"carino\" value=\""
                 + esc(param(req, "carino")) + "\"><input type=\"hidden\" name=\"id\" value=\"" + esc(id)
                 + "\"><table><tr><th>Bilgisayar ID</th><td>" + esc(id)
                 + "</td></tr><tr><th>Firma Adı</th><td><input name=\"firmaadi\"></td></tr>"
                   "<tr><th>Yetkili</th><td><input name=\"yetkili\"></td></tr>"
                   "<tr><th>Telefon</th><td><input name=\"telefon\"></td></tr>"
                   "<tr><th>Mail</th><td><input name=\"mail\"></td></tr>"
                   "<tr><th>Kullanıcı Adı</th><td><input name=\"kullanici\" value=\""
                 + esc(param(req, "kullanici").trimmed())
                 + "\"></td></tr><tr><th>Not</th><td><textarea name=\"not\"></textarea></td></tr></table>"
                   "<p><button type=\"submit\">Gönder</button></p></form>");
        logLine(log, "formmailgonder.aspx", 200, start);
    });

    server.Post("/formmailgonder.aspx", [&db, log](const httplib::Request &req, httplib::Response &res) {
        const auto start = std::chrono::steady_clock::now();
        try {
            QSqlDatabase c = db.connection();
            Transaction tx(c);
            runSql(c,
                   QStringLiteral("INSERT INTO istek (tarih, tur, bilgisayarid, baslik, firmaadi, adres1, adres2, ilce, "
                                  "sehir, telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu) "
                                  "VALUES (?, 'erisim', ?, 'Erişim İsteği', ?, '', '', '', '', ?, '', '', '', ?, ?, '', ?, "
                                  "'', ?)"),
                   {dayNumberFromDateTime(QDateTime::currentDateTime()), param(req, "id"), param(req, "firmaadi"),
                    param(req, "telefon"), param(req, "yetkili"), param(req, "kullanici"), param(req, "mail"),
                    param(req, "not")});
            tx.commit();
            html(res, "İstek alındı", "<h1>İsteğiniz alındı</h1><p>Temsilcimiz en kısa sürede sizinle iletişime geçecek.</p>");
        } catch (const DatabaseError &e) {
            res.status = 500;
            html(res, "Hata", "<h1>İstek kaydedilemedi</h1><p>" + esc(e.message()) + "</p>");
        }
        logLine(log, "formmailgonder.aspx", res.status, start);
    });

    server.Get("/tuvrakart.html", [log](const httplib::Request &req, httplib::Response &res) {
        const auto start = std::chrono::steady_clock::now();
        std::string rows;
        for (const char *key : {"carino", "sube", "firmasi", "bakiye"})
            rows += "<tr><th>" + std::string(key) + "</th><td id=\"" + key + "\">" + esc(param(req, key)) + "</td></tr>";
        html(res, "Zelvori Sanal Pos",
             "<h1>Zelvori Otomotiv Kredi Kartı ile Ödeme</h1><table>" + rows
                 + "</table><p>Bu geliştirme sunucusu ödeme almaz; sayfa gelen değerleri gösterir.</p>");
        logLine(log, "tuvrakart.html", 200, start);
    });

    server.Get("/exe/ZELVORISetup.exe", [log](const httplib::Request &, httplib::Response &res) {
        const auto start = std::chrono::steady_clock::now();
        res.set_content(kSetupProgram, sizeof kSetupProgram - 1, "application/octet-stream");
        logLine(log, "exe/ZELVORISetup.exe", 200, start);
    });

    server.Get("/ip", [log](const httplib::Request &req, httplib::Response &res) {
        const auto start = std::chrono::steady_clock::now();
        res.set_content(req.remote_addr, "text/plain; charset=utf-8");
        logLine(log, "ip", 200, start);
    });
}

} // namespace webpages
