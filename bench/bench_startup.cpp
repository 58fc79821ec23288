// Start-up of the client, against zelvori-appserver on a loopback port:
//   process start to the sign-in window painted (the launcher's clock, from
//   starting the process to reading the child's line), beside the floor of
//   the same program painting an empty dialog and nothing else;
//   the sign-in (user and password entered, "Giriş") to the main window
//   shown with its start-up job done and the main thread free again.
//
// The measured process is this program started again with --child: it
// builds the application as the program's entry does (look, main window with
// every tab, sign-in window), with a recording dialog presenter so that any
// message ends the run as a failure instead of waiting for a click. The
// opening adverts, which wait for the user, are left out.
//
//   bench_startup [--appserver PATH] [--database PATH] [--smoke]
//
// Prints FIGURE lines (bench/figure.h).
#include "bench/figure.h"
#include "bench/serverprocess.h"

#include "app/Unit1.h"
#include "app/gorunum.h"
#include "core/dialogrecorder.h"
#include "signin/girisformu.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Calls `onPaint` once, at the first paint of a widget that `match` accepts.
class FirstPaint : public QObject
{
public:
    FirstPaint(std::function<bool(QObject *)> match, std::function<void(QWidget *)> onPaint)
        : m_match(std::move(match)), m_onPaint(std::move(onPaint))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (!m_done && e->type() == QEvent::Paint && watched->isWidgetType() && m_match(watched)) {
            m_done = true;
            // After this paint has been delivered.
            QWidget *w = static_cast<QWidget *>(watched);
            QTimer::singleShot(0, w, [this, w] { m_onPaint(w); });
        }
        return false;
    }

private:
    std::function<bool(QObject *)> m_match;
    std::function<void(QWidget *)> m_onPaint;
    bool m_done = false;
};

void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// The floor: the same program showing one empty dialog.
int floorChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.resize(400, 300);
    FirstPaint painted([&](QObject *o) { return o == &dialog; }, [](QWidget *) {
        say("SIGNIN");
        QCoreApplication::exit(0);
    });
    dialog.show();
    return app.exec();
}

// The measured client: prints "SIGNIN" when the sign-in window has painted,
// signs in as DEMO, then prints "USABLE <ms from the click>" once the main
// window has painted and the start-up job has finished.
int clientChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    GorunumUygula(app);
    DialogRecorder dialogs;

    QElapsedTimer clock;
    bool jobDone = false, mainPainted = false;
    double usableMs = -1;
    auto finishWhenUsable = [&] {
        if (!(jobDone && mainPainted) || usableMs >= 0)
            return;
        usableMs = clock.nsecsElapsed() / 1e6;
        // An error of the start-up job is reported just after its last step:
        // a moment's grace, then any message fails the run.
        QTimer::singleShot(500, qApp, [&] {
            if (!dialogs.messages().isEmpty()) {
                std::fprintf(stderr, "bench_startup: the client showed a message: %s\n",
                             qPrintable(dialogs.last().text));
                QCoreApplication::exit(1);
                return;
            }
            std::printf("USABLE %.1f\n", usableMs);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    };

    FirstPaint signIn([](QObject *o) { return qobject_cast<Tgirisform *>(o) != nullptr; }, [&](QWidget *w) {
        say("SIGNIN");
        auto *form = static_cast<Tgirisform *>(w);
        form->adi->setText(u"DEMO"_s);
        form->sifre->setText(u"1234"_s);
        clock.start();
        form->Button1Click();
    });

    TForm1 Form1;
    // The last start-up step hands over to the main thread: it runs there
    // once every step is done and the main thread is free.
    Form1.BaslangicAdimlari << [&] {
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                jobDone = true;
                finishWhenUsable();
            },
            Qt::QueuedConnection);
    };
    Form1.AcilisReklamlariGoster = [] { return std::optional<QString>(); };
    if (!Form1.FormCreate()) {
        std::fprintf(stderr, "bench_startup: the sign-in did not let the user in\n");
        return 1;
    }
    FirstPaint mainShown([&](QObject *o) { return o == &Form1; }, [&](QWidget *) {
        mainPainted = true;
        finishWhenUsable();
    });
    Form1.resize(1600, 900);
    Form1.showMaximized();
    return app.exec();
}

struct Launch {
    double signInMs = -1;
    double usableMs = -1;
};

// Starts this program with `mode` and reads its lines; false on failure.
bool launch(const QString &mode, const QProcessEnvironment &env, Launch &out)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    for (;;) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line == "SIGNIN")
                out.signInMs = clock.nsecsElapsed() / 1e6;
            else if (line.startsWith("USABLE "))
                out.usableMs = line.mid(7).toDouble();
        }
        if (child.state() == QProcess::NotRunning)
            break;
        if (clock.elapsed() > 120000) {
            std::fprintf(stderr, "bench_startup: the client did not finish within 120 s\n");
            child.kill();
            child.waitForFinished(5000);
            return false;
        }
        child.waitForReadyRead(1000);
    }
    child.waitForFinished(30000);
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && out.signInMs >= 0;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--child") == 0)
            return clientChild(argc, argv);
        if (std::strcmp(argv[i], "--floor-child") == 0)
            return floorChild(argc, argv);
    }
    QCoreApplication app(argc, argv);
    const bool smoke = bench::smokeRun(argc, argv);
    QString appserver = QStringLiteral(ZELVORI_APPSERVER_PATH);
    QString database;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--appserver")
            appserver = args[++i];
        else if (args[i] == u"--database")
            database = args[++i];
    }
    QTemporaryDir scratch;
    if (database.isEmpty())
        database = smoke ? scratch.filePath(u"smoke.sqlite"_s) : u"/tmp/zelvori-bench-search-100k.sqlite"_s;

    bench::ServerProcess server;
    if (!server.start(appserver, {u"--database"_s, database, u"--seed-items"_s, smoke ? u"100"_s : u"100000"_s,
                                  u"--bind-local"_s, u"DEMO"_s}))
        return 1;
    const QString base = u"http://127.0.0.1:"_s + QString::number(server.port());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ZELVORI_SUNUCU"_s, u"127.0.0.1:"_s + QString::number(server.port()));
    env.insert(u"ZELVORI_WEB"_s, base + u'/');
    env.insert(u"ZELVORI_ODEME"_s, base);
    env.insert(u"ZELVORI_INDIRME"_s, base);
    env.insert(u"ZELVORI_IPSERVIS"_s, base + u"/ip"_s);
    // The remembered sign-in goes to a folder of its own, not the user's.
    env.insert(u"XDG_CONFIG_HOME"_s, scratch.filePath(u"config"_s));
    if (!env.contains(u"QT_QPA_PLATFORM"_s) && !env.contains(u"DISPLAY"_s))
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);

    const int runs = smoke ? 1 : 9;
    std::vector<double> signIn, usable, floor;
    for (int run = 0; run <= runs; ++run) { // run 0 warms the page cache and is not counted
        Launch client, empty;
        if (!launch(u"--child"_s, env, client) || client.usableMs < 0) {
            std::fprintf(stderr, "bench_startup: the client run failed\n");
            return 1;
        }
        if (!launch(u"--floor-child"_s, env, empty)) {
            std::fprintf(stderr, "bench_startup: the empty-dialog run failed\n");
            return 1;
        }
        if (run > 0) {
            signIn.push_back(client.signInMs);
            usable.push_back(client.usableMs);
            floor.push_back(empty.signInMs);
        }
    }
    const std::string note = std::to_string(runs) + " fresh processes";
    bench::figure("startup", "process start to sign-in window painted", signIn, "ms",
                  "same program painting an empty dialog", floor, smoke ? "-" : "<500,ratio<2", note);
    bench::figure("startup", "sign-in to main window usable, start-up job done", usable, "ms", {}, {}, "-", note);
    return 0;
}
