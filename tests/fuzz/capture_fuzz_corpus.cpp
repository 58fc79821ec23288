// Captures the fuzz seed corpus from real answers: runs the application
// server in-process on a demo database, sends the sample call of every
// server method and writes
//   DIR/fuzz_wire/<call>-answer.json, <call>-request.json   answer and request bodies
//   DIR/fuzz_appserver_request/<call>                       method name, newline, request body
//   DIR/fuzz_onaltilik/<call>-<n>.hex                       the smallest picture text of the advert answers
//   DIR/fuzz_ayarini/<n>.ini                                settings files the sign-in window writes
// Bodies above kLargest bytes are left out to keep the corpus small (the
// fuzzer mutates small inputs faster); each one left out is listed.
//   capture_fuzz_corpus tests/fuzz/corpus
#include "samplecalls.h"

#include "core/ayarini.h"
#include "wire/codec.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qsizetype kLargest = 16 * 1024;

bool save(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "capture_fuzz_corpus: cannot write %s: %s\n", qPrintable(path), qPrintable(f.errorString()));
        return false;
    }
    return true;
}

// Every string field named FResim anywhere in the value.
void pictureTexts(const wire::Value &v, QList<QString> &out)
{
    if (v.kind() == wire::Value::Kind::Array) {
        for (const wire::Value &item : v.arrayValue())
            pictureTexts(item, out);
    } else if (v.kind() == wire::Value::Kind::Object) {
        for (const wire::Field &f : v.objectValue().fields) {
            if (f.name == u"FResim" && f.value.kind() == wire::Value::Kind::String && !f.value.stringValue().isEmpty())
                out.append(f.value.stringValue());
            pictureTexts(f.value, out);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: capture_fuzz_corpus DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const char *target : {"fuzz_wire", "fuzz_appserver_request", "fuzz_onaltilik", "fuzz_ayarini"}) {
        if (!out.mkpath(QString::fromLatin1(target))) {
            std::fprintf(stderr, "capture_fuzz_corpus: cannot create %s/%s\n", argv[1], target);
            return 1;
        }
    }

    ServerFixture server(120);
    if (!server.ok()) {
        std::fprintf(stderr, "capture_fuzz_corpus: the server did not start\n");
        return 1;
    }
    bool ok = true;
    QList<QPair<QString, QString>> pictures;  // the call's name and the text
    for (const SampleAnswer &a : sampleAnswers(server)) {
        if (a.status != a.call.status) {
            std::fprintf(stderr, "capture_fuzz_corpus: %s answered %d\n", qPrintable(a.call.name), a.status);
            ok = false;
            continue;
        }
        const QString name = a.call.name;
        if (a.body.size() <= kLargest)
            ok &= save(out.filePath(QStringLiteral("fuzz_wire/%1-answer.json").arg(name)), a.body);
        else
            std::fprintf(stderr, "capture_fuzz_corpus: %s answer left out (%lld bytes)\n", qPrintable(name), qlonglong(a.body.size()));
        if (a.request.size() <= kLargest) {
            ok &= save(out.filePath(QStringLiteral("fuzz_wire/%1-request.json").arg(name)), a.request);
            ok &= save(out.filePath(QStringLiteral("fuzz_appserver_request/%1").arg(name)),
                       a.call.method.toLatin1() + '\n' + a.request);
        }
        if (a.status != 200)
            continue;
        wire::Result<QList<wire::Value>> results = wire::decodeResult(a.body);
        if (!results)
            continue;
        QList<QString> texts;
        for (const wire::Value &v : results.value())
            pictureTexts(v, texts);
        for (const QString &t : std::as_const(texts))
            pictures.append({name, t});
    }
    // The smallest picture is enough as a seed: the pictures differ only in
    // what they show.
    if (pictures.isEmpty()) {
        std::fprintf(stderr, "capture_fuzz_corpus: no picture text in the advert answers\n");
        ok = false;
    } else {
        std::sort(pictures.begin(), pictures.end(), [](const auto &a, const auto &b) { return a.second.size() < b.second.size(); });
        ok &= save(out.filePath(QStringLiteral("fuzz_onaltilik/%1.hex").arg(pictures.first().first)),
                   pictures.first().second.toLatin1());
    }

    // Settings files as the sign-in window writes them.
    const KullaniciAyari settings[] = {
        {QStringLiteral("bayi1"), QStringLiteral("gizli"), true},
        {QStringLiteral("şükrü.öğüt"), QStringLiteral(" İıĞğ Şş "), false},
        {QStringLiteral("\"tırnak\""), QStringLiteral("a=b;#[c]"), true},
    };
    int n = 0;
    for (const KullaniciAyari &s : settings) {
        QString error;
        if (!AyarYaz(out.filePath(QStringLiteral("fuzz_ayarini/%1.ini").arg(++n)), s, &error)) {
            std::fprintf(stderr, "capture_fuzz_corpus: ayar.ini: %s\n", qPrintable(error));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
