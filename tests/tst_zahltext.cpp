#include "engine.h"
#include "komma.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <locale>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs fn with standard output going to a file, and returns what it printed.
template <typename Fn> QByteArray captureStdout(Fn fn)
{
    QTemporaryFile sink;
    if (!sink.open())
        return "(no capture file)";
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(sink.handle(), STDOUT_FILENO);
    fn();
    fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    return readAll(sink.fileName());
}

const QByteArray header = "oertlicher Luftdruck;Luftdichte;Temperatur in Kelvin;Saettigungsdruck;"
                          "Saettigungsdefizit;Dampfdruck;Dampfdruck nach alternativer Methode ;"
                          "Taupunkt;Taupunkt nach alternativer Methode;spezifische Feuchte;"
                          "spezifische Feuchte;spezifische Feuchte nach alternativer Methode;"
                          "Saettigungs-Feuchte;Saettigungs-Feuchte;Aequivalent-Temperatur;";
const QByteArray units = "hPa;kg/m\xC2\xB3;K;hPa;hPa;hPa;mbar;Grad Celsius;Grad Celsius;"
                         "Gramm Wasser/ kg Luft;Gramm Wasser/ Kubikmeter Luft;"
                         "Gramm Wasser/ Kubikmeter Luft;Gramm Wasser/ kg Luft;"
                         "Gramm Wasser/ Kubikmeter Luft;Grad Celsius;";

void exportCounting(engine &e, float first = 1)
{
    e.fileexport(first, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
}

// Runs fn in a child whose files may not grow past limit bytes, as on a full
// disk, and returns what it printed. The child fails if fn returns false.
template <typename Fn> QByteArray withFileSizeLimit(rlim_t limit, Fn fn)
{
    QTemporaryFile out;
    if (!out.open())
        return "(no capture file)";
    fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        setrlimit(RLIMIT_FSIZE, &size);
        dup2(out.handle(), STDOUT_FILENO);
        const bool ok = fn();
        fflush(stdout);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return "(no child)";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "(child failed)";
    return readAll(out.fileName());
}

} // namespace

class TestZahltext : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void num2txt_data();
    void num2txt();
    void shorterTextReplacesLonger();
    void scratchFileHoldsTextAlone();
    void existingTempIsLeftAlone_data();
    void existingTempIsLeftAlone();
    void unwritableDirectory();
    void pointWhateverTheLocale();

    void exportLines();
    void exportReplacesContent();
    void exportCells_data();
    void exportCells();
    void exportCannotCreate_data();
    void exportCannotCreate();
    void exportWriteFails();
    void scratchWriteFails();

  private:
    QTemporaryDir *dir = nullptr;
    QString previous;
};

void TestZahltext::init()
{
    dir = new QTemporaryDir;
    QVERIFY(dir->isValid());
    previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir->path()));
}

void TestZahltext::cleanup()
{
    QDir::setCurrent(previous);
    delete dir;
    dir = nullptr;
}

void TestZahltext::num2txt_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");

    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("whole") << 1013.0f << "1013";
    QTest::newRow("six digits") << 1.20418f << "1.20418";
    QTest::newRow("kelvin") << 293.15f << "293.15";
    QTest::newRow("rounded to six") << 12.3456789f << "12.3457";
    QTest::newRow("half") << 0.5f << "0.5";
    QTest::newRow("thousandth") << 0.001f << "0.001";
    QTest::newRow("exponent -4 plain") << 0.0001f << "0.0001";
    QTest::newRow("exponent -5 scientific") << 0.00001f << "1e-05";
    QTest::newRow("small, plain") << 0.000251f << "0.000251";
    QTest::newRow("six integer digits") << 123456.0f << "123456";
    QTest::newRow("rounding carries to 100000") << 99999.95f << "100000";
    QTest::newRow("rounding carries to 1e+06") << 999999.5f << "1e+06";
    QTest::newRow("tie to even") << 1234565.0f << "1.23456e+06";
    QTest::newRow("seven digits") << 1234567.0f << "1.23457e+06";
    QTest::newRow("negative") << -3.5f << "-3.5";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "-0";
    QTest::newRow("infinity") << inf << "inf";
    QTest::newRow("negative infinity") << -inf << "-inf";
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << "nan";
    QTest::newRow("nan with sign bit") << -std::numeric_limits<float>::quiet_NaN() << "-nan";
    QTest::newRow("longest finite") << -1.17549435e-38f << "-1.17549e-38";
}

void TestZahltext::num2txt()
{
    QFETCH(float, value);
    QFETCH(QString, text);

    engine e;
    const char first = e.num2txt(value);
    QCOMPARE(QString::fromLatin1(e.txt), text);
    QCOMPARE(first, text.toLatin1().at(0));
    QVERIFY(!QFileInfo::exists("temp"));
    QCOMPARE(QString::fromStdString(zahlText(value)), text);
}

void TestZahltext::shorterTextReplacesLonger()
{
    engine e;
    e.num2txt(-1.17549435e-38f);
    e.num2txt(7.0f);
    QCOMPARE(QByteArray(e.txt), QByteArray("7"));
}

void TestZahltext::scratchFileHoldsTextAlone()
{
    // An "rm" first on the path keeps a copy of the scratch file before it goes.
    QTemporaryDir bin;
    const QString rm = bin.filePath("rm");
    writeFile(rm, "#!/bin/sh\ncp temp seen-by-rm\nexec /bin/rm \"$@\"\n");
    QVERIFY(QFile::setPermissions(rm, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);

    engine e;
    e.num2txt(-2.98492f);
    qputenv("PATH", path);

    QCOMPARE(readAll("seen-by-rm"), QByteArray("-2.98492"));
    QVERIFY(!QFileInfo::exists("temp"));
}

void TestZahltext::existingTempIsLeftAlone_data()
{
    QTest::addColumn<bool>("asLink");
    QTest::newRow("a file of the user's") << false;
    QTest::newRow("a link to another file") << true;
}

void TestZahltext::existingTempIsLeftAlone()
{
    QFETCH(bool, asLink);

    const QByteArray mine = "precious\nnotes\n";
    writeFile(asLink ? "target" : "temp", mine);
    if (asLink)
        QVERIFY(QFile::link("target", "temp"));

    engine e;
    QByteArray printed = captureStdout([&] { QCOMPARE(e.num2txt(12.3456789f), '1'); });
    QCOMPARE(QByteArray(e.txt), QByteArray("12.3457"));
    QCOMPARE(printed, QByteArray());
    QCOMPARE(QFileInfo("temp").isSymLink(), asLink);
    QCOMPARE(readAll("temp"), mine);
    if (asLink)
        QCOMPARE(readAll("target"), mine);
}

void TestZahltext::unwritableDirectory()
{
    // Not even root may create a file here.
    QVERIFY(QDir::setCurrent("/proc"));
    engine e;
    std::strcpy(e.txt, "left over");
    QByteArray printed = captureStdout([&] { QCOMPARE(e.num2txt(1013.0f), '\0'); });
    QCOMPARE(printed, QByteArray("\n\nKann temporaere Datei nicht anlegen\n\n"));
    QCOMPARE(e.txt[0], '\0');
}

void TestZahltext::pointWhateverTheLocale()
{
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), new Komma));
    const std::string text = zahlText(1234.5f);
    engine e;
    e.num2txt(0.25f);
    std::locale::global(before);
    QCOMPARE(QString::fromStdString(text), QStringLiteral("1234.5"));
    QCOMPARE(QByteArray(e.txt), QByteArray("0.25"));
}

void TestZahltext::exportLines()
{
    engine e;
    exportCounting(e);
    const QByteArray file = readAll("Brumo_export.csv");
    QCOMPARE(file.count('\n'), 2);
    const QList<QByteArray> lines = file.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], header);
    QCOMPARE(lines[0].size(), 331);
    QCOMPARE(lines[1], units);
    QCOMPARE(lines[1].size(), 203);
    QVERIFY(lines[1].contains("kg/m\xC2\xB3;"));
    QCOMPARE(lines[2], QByteArray("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;"));
    QVERIFY(!file.startsWith("\xEF\xBB\xBF"));
}

void TestZahltext::exportReplacesContent()
{
    engine e;
    exportCounting(e, -1.17549435e-38f);
    exportCounting(e, 99);
    const QByteArray file = readAll("Brumo_export.csv");
    QCOMPARE(file, header + '\n' + units + '\n' + "99;2;3;4;5;6;7;8;9;10;11;12;13;14;15;");
}

void TestZahltext::exportCells_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("cell");
    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("seven digits") << 1234567.0f << QByteArray("1.23457e+06");
    QTest::newRow("tiny") << 0.00001f << QByteArray("1e-05");
    QTest::newRow("inf") << inf << QByteArray("inf");
    QTest::newRow("-inf") << -inf << QByteArray("-inf");
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << QByteArray("nan");
    QTest::newRow("-nan") << -std::numeric_limits<float>::quiet_NaN() << QByteArray("-nan");
}

void TestZahltext::exportCells()
{
    QFETCH(float, value);
    QFETCH(QByteArray, cell);
    engine e;
    e.fileexport(1, 2, 3, 4, 5, 6, 7, value, 9, 10, 11, 12, 13, 14, 15);
    const QByteArray values = readAll("Brumo_export.csv").split('\n').value(2);
    QCOMPARE(values, "1;2;3;4;5;6;7;" + cell + ";9;10;11;12;13;14;15;");
}

void TestZahltext::exportCannotCreate_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("nameIsDirectory");
    QTest::newRow("directory nobody can write") << "/proc" << false;
    QTest::newRow("the name is a directory") << "" << true;
}

void TestZahltext::exportCannotCreate()
{
    QFETCH(QString, where);
    QFETCH(bool, nameIsDirectory);
    if (!where.isEmpty())
        QVERIFY(QDir::setCurrent(where));
    if (nameIsDirectory)
        QVERIFY(QDir().mkdir("Brumo_export.csv"));

    engine e;
    const QByteArray printed = captureStdout([&] { exportCounting(e); });
    QCOMPARE(printed, QByteArray("\n\nKann Exportdatei nicht anlegen"));
    if (nameIsDirectory)
        QVERIFY(QFileInfo("Brumo_export.csv").isDir());
    else
        QVERIFY(!QFileInfo::exists("Brumo_export.csv"));
}

void TestZahltext::exportWriteFails()
{
    engine e;
    const QByteArray printed = withFileSizeLimit(100, [&] {
        exportCounting(e);
        return true;
    });
    QCOMPARE(printed, QByteArray("\n\nKann Exportdatei nicht schreiben"));
    QCOMPARE(QFileInfo("Brumo_export.csv").size(), 100);
}

void TestZahltext::scratchWriteFails()
{
    engine e;
    const QByteArray printed = withFileSizeLimit(
        0, [&] { return e.num2txt(-10.841f) == '-' && QByteArray(e.txt) == "-10.841"; });
    QCOMPARE(printed, QByteArray());
    QVERIFY(!QFileInfo::exists("temp"));
}

QTEST_APPLESS_MAIN(TestZahltext)
#include "tst_zahltext.moc"
