// tools/run-bench.sh --report: the table row of each figure (ratio, target
// result) and the list of targets not met, from FIGURE and NOTRUN lines.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The markdown report of the given lines; empty (and a failed check) when
// the script fails.
QString report(const QByteArray &lines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"figures.tsv"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines) != lines.size())
        return {};
    file.close();
    QProcess script;
    script.start(u"bash"_s, {QStringLiteral(ZELVORI_RUN_BENCH), u"--report"_s, path});
    if (!script.waitForFinished(60000) || script.exitCode() != 0)
        return {};
    return QString::fromUtf8(script.readAllStandardOutput());
}

// The cells of the table row whose first cell is `figure`.
QStringList row(const QString &markdown, const QString &figure)
{
    for (const QString &line : markdown.split(u'\n')) {
        QStringList cells = line.split(u'|');
        if (cells.size() > 2 && cells.at(1).trimmed() == figure) {
            cells = cells.mid(1, cells.size() - 2);
            for (QString &c : cells)
                c = c.trimmed();
            return cells;
        }
    }
    return {};
}

QString missedSection(const QString &markdown)
{
    const qsizetype at = markdown.indexOf(u"## Targets not met"_s);
    return at < 0 ? QString() : markdown.mid(at);
}

} // namespace

class TestBenchReport : public QObject
{
    Q_OBJECT

private slots:
    void figureRow_data();
    void figureRow();
    void sectionsAndMissedList();
};

void TestBenchReport::figureRow_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("result");

    QTest::newRow("ratio met") << QByteArray("FIGURE\twire\tx\t30\t28\t35\tms\tfloor\t20\tratio<2\tn") << u"1.50"_s
                               << u"met"_s;
    QTest::newRow("ratio missed") << QByteArray("FIGURE\twire\tx\t50\t48\t52\tms\tfloor\t20\tratio<2\tn")
                                  << u"2.50"_s << u"missed"_s;
    QTest::newRow("ratio on the boundary") << QByteArray("FIGURE\twire\tx\t40\t40\t40\tms\tfloor\t20\tratio<2\t-")
                                           << u"2.00"_s << u"missed"_s;
    QTest::newRow("median below") << QByteArray("FIGURE\tsearch\tx\t250\t240\t400\tms\t-\t-\t<300\t-") << u"—"_s
                                  << u"met"_s;
    QTest::newRow("median above") << QByteArray("FIGURE\tsearch\tx\t310\t240\t400\tms\t-\t-\t<300\t-") << u"—"_s
                                  << u"missed"_s;
    QTest::newRow("at least, met") << QByteArray("FIGURE\tserver\tx\t5000\t4900\t5100\tcalls/s\t-\t-\t>=5000\t-")
                                   << u"—"_s << u"met"_s;
    QTest::newRow("at least, missed") << QByteArray("FIGURE\tserver\tx\t4999\t4900\t5100\tcalls/s\t-\t-\t>=5000\t-")
                                      << u"—"_s << u"missed"_s;
    QTest::newRow("worst run counts") << QByteArray("FIGURE\tsearch\tx\t20\t10\t60\tms\t-\t-\tmax<50\t-") << u"—"_s
                                      << u"missed"_s;
    QTest::newRow("worst run below") << QByteArray("FIGURE\tsearch\tx\t20\t10\t49\tms\t-\t-\tmax<50\t-") << u"—"_s
                                     << u"met"_s;
    QTest::newRow("both conditions met")
        << QByteArray("FIGURE\tsearch\tx\t200\t190\t220\tms\tbare\t150\t<300,ratio<2\t-") << u"1.33"_s << u"met"_s;
    QTest::newRow("second condition missed")
        << QByteArray("FIGURE\tsearch\tx\t200\t190\t220\tms\tbare\t50\t<300,ratio<2\t-") << u"4.00"_s
        << u"missed"_s;
    QTest::newRow("ratio without a floor") << QByteArray("FIGURE\tgrid\tx\t5\t4\t6\tms\t-\t-\tratio<2\t-") << u"—"_s
                                           << u"no floor"_s;
    QTest::newRow("no target") << QByteArray("FIGURE\tgrid\tx\t5\t4\t6\tms\tfloor\t4\t-\t-") << u"1.25"_s << u"—"_s;
    QTest::newRow("not run") << QByteArray("NOTRUN\tserver\tx\t>=5000\tno server") << u"—"_s << u"not run"_s;
}

void TestBenchReport::figureRow()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, ratio);
    QFETCH(QString, result);
    const QString markdown = report(line + '\n');
    QVERIFY(!markdown.isEmpty());
    const QStringList cells = row(markdown, u"x"_s);
    QCOMPARE(cells.size(), 10);
    QCOMPARE(cells.at(6), ratio);
    QCOMPARE(cells.at(8), result);
    // A figure that is not met is listed at the end; one met or without target is not.
    const bool listed = missedSection(markdown).contains(u"- "_s);
    QCOMPARE(listed, result != u"met"_s && result != u"—"_s);
}

void TestBenchReport::sectionsAndMissedList()
{
    const QByteArray lines = "FIGURE\twire\tdecode a\t30\t28\t35\tms\tfloor\t20\tratio<2\t3 runs\n"
                             "commentary that is not a figure\n"
                             "FIGURE\tserver\tcalls b\t4000\t3900\t4100\tcalls/s\t-\t-\t>=5000\t-\n"
                             "FIGURE\twire\tdecode c\t90\t88\t95\tms\tfloor\t20\tratio<2\t-\n";
    const QString markdown = report(lines);
    QVERIFY(!markdown.isEmpty());
    // One section per name, in the order first seen, each with its rows.
    QCOMPARE(markdown.count(u"## wire"_s), 1);
    QCOMPARE(markdown.count(u"## server"_s), 1);
    QVERIFY(markdown.indexOf(u"## wire"_s) < markdown.indexOf(u"## server"_s));
    QCOMPARE(row(markdown, u"decode a"_s).value(9), u"3 runs"_s);
    QCOMPARE(row(markdown, u"decode a"_s).value(2), u"28–35"_s);
    QVERIFY(!markdown.contains(u"commentary"_s));
    const QString missed = missedSection(markdown);
    QVERIFY(!missed.contains(u"decode a"_s));
    QVERIFY(missed.contains(u"calls b"_s));
    QVERIFY(missed.contains(u"decode c"_s));
}

QTEST_GUILESS_MAIN(TestBenchReport)
#include "tst_benchreport.moc"
