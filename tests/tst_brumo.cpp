#include "Brumo.h"
#include "engine.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {

// Marks every text it is asked for in the dialog's context.
class MarkingTranslator : public QTranslator
{
  public:
    bool isEmpty() const override
    {
        return false;
    }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "Brumo") != 0)
            return {};
        return QStringLiteral("[") + QString::fromLatin1(sourceText) + QStringLiteral("]");
    }
};

// How a widget reads in the layout: "label:<text>", "edit:right", "edit:center",
// "button:<text>".
QString describe(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return "label:" + label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        if (edit->alignment() == Qt::AlignRight)
            return "edit:right";
        if (edit->alignment() == Qt::AlignHCenter)
            return "edit:center";
        return "edit:other";
    }
    if (auto *button = qobject_cast<QPushButton *>(widget))
        return "button:" + button->text();
    return "other";
}

QBoxLayout *rowLayout(QDialog &dialog, int row)
{
    auto *main = qobject_cast<QVBoxLayout *>(dialog.layout());
    if (!main || row >= main->count())
        return nullptr;
    return qobject_cast<QHBoxLayout *>(main->itemAt(row)->layout());
}

// The program writes into its working directory: each test gets its own.
class InTemporaryDir
{
  public:
    InTemporaryDir() : previous(QDir::currentPath())
    {
        QDir::setCurrent(dir.path());
    }
    ~InTemporaryDir()
    {
        QDir::setCurrent(previous);
    }
    bool isValid() const
    {
        return dir.isValid() && QDir::currentPath() == QDir(dir.path()).canonicalPath();
    }

  private:
    QTemporaryDir dir;
    QString previous;
};

QByteArray readExport()
{
    QFile file("Brumo_export.csv");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestBrumo : public QObject
{
    Q_OBJECT

  private slots:
    void initialState();
    void rows_data();
    void rows();
    void membersInPlace();
    void focusChain();
    void noExtraSettings();
    void translation();

    void parse_data();
    void parse();
    void startButton_data();
    void startButton();
    void typingCallsTheSlotPerCharacter();

    void calculation_data();
    void calculation();
    void repeatedClick();
    void inputChangeKeepsResults();

    void programmendeEndsWithZero();

  private:
    static QList<QLineEdit *> inputs(Brumo &w)
    {
        return {w.lineEditEingabeTemperatur, w.lineEditEingabeHoehe, w.lineEditEingabeLuftdruck,
                w.lineEditEingabeFeuchtigkeit};
    }
    static QList<QLineEdit *> edits(Brumo &w)
    {
        return inputs(w) + QList<QLineEdit *>{
                               w.lineEditDisplayLuftdruckOrt,    w.lineEditDisplayLuftdichte,
                               w.lineEditDisplayTempKelvin,      w.lineEditDisplaySaettigungsdruck,
                               w.lineEditDisplayDampfdruck,      w.lineEditDisplayDampfdruck_alt,
                               w.lineEditDisplaySpezFeuchte1,    w.lineEditDisplaySpezFeuchte2,
                               w.lineEditDisplaySpezFeuchte_alt, w.lineEditDisplaySaettFeuchte1,
                               w.lineEditDisplaySaettFeuchte2,   w.lineEditDisplayAequivalentTemp,
                               w.lineEditDisplayTaupunkt,        w.lineEditDisplayTaupunkt_alt};
    }
    static QList<QLineEdit *> results(Brumo &w)
    {
        return edits(w).mid(4);
    }
    static QStringList shown(Brumo &w)
    {
        QStringList texts;
        for (QLineEdit *field : results(w))
            texts << field->text();
        return texts;
    }
    // Types the four inputs and clicks the start button.
    static void calculate(Brumo &w, const QStringList &input)
    {
        for (int field = 0; field < 4; ++field) {
            inputs(w)[field]->clear();
            QTest::keyClicks(inputs(w)[field], input[field]);
        }
        QTest::mouseClick(w.pushButtonStarteBerechnung, Qt::LeftButton);
    }
    static QList<int> ints(Brumo &w)
    {
        return {w.Temperatur, w.Hoehe, w.Luftdruck, w.Feuchtigkeit};
    }
    static QList<float> floats(Brumo &w)
    {
        return {w._Temperatur, w._Hoehe, w._Luftdruck, w._Feuchtigkeit};
    }
    static QList<int> flags(Brumo &w)
    {
        return {w.flagTemperatur, w.flagHoehe, w.flagLuftdruck, w.flagFeuchtigkeit};
    }
};

void TestBrumo::initialState()
{
    Brumo w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Brumo"));
    QCOMPARE(w.size(), QSize(420, 600));
    QVERIFY(!w.isModal());
    QVERIFY(!w.pushButtonStarteBerechnung->isEnabled());
    QCOMPARE(w.pushButtonStarteBerechnung->objectName(),
             QStringLiteral("pushButtonStarteBerechnung"));
    QCOMPARE(w.pushButtonClose->objectName(), QStringLiteral("pushButtonClose"));
    for (QLineEdit *edit : edits(w))
        QVERIFY(edit->text().isEmpty());
    QCOMPARE(flags(w), QList<int>({0, 0, 0, 0}));

    auto *main = qobject_cast<QVBoxLayout *>(w.layout());
    QVERIFY(main);
    QCOMPARE(main->contentsMargins(), QMargins(11, 11, 11, 11));
    QCOMPARE(main->spacing(), 6);
    QCOMPARE(main->count(), 19);
}

void TestBrumo::rows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("widgets");

    const auto captioned = [](const char *caption, const char *edit = "edit:right") {
        return QStringList{QString("label:") + caption, edit};
    };
    QTest::newRow("heading") << 0
                             << QStringList{"label:<h2>Brumoskop</h2>",
                                            "label:(c) 2026 Brumo-Team"};
    QTest::newRow("temperature") << 1 << captioned("Temperatur in Grad Celsius ");
    QTest::newRow("altitude") << 2 << captioned("Hoehe ueber Meeresspiegel in Meter ");
    QTest::newRow("pressure") << 3 << captioned("Luftdruck in hPa ");
    QTest::newRow("humidity") << 4 << captioned("Luftfeuchtigkeit in %");
    QTest::newRow("buttons: start left of close")
        << 5 << QStringList{"button:Starte Berechnung", "button:Programmende"};
    QTest::newRow("station pressure") << 6 << captioned("Luftdruck vor Ort in hPa ");
    QTest::newRow("density") << 7 << captioned("Luftdichte in kg/ Kubikmeter ");
    QTest::newRow("kelvin") << 8 << captioned("Temperatur in Grad Kelvin ");
    QTest::newRow("saturation pressure") << 9 << captioned("Saettigungsdruck in hPa ");
    QTest::newRow("vapour pressures, centred first")
        << 10 << captioned("Dampfdruck in hPa ", "edit:center") + captioned("alt. Formel in mBar ");
    QTest::newRow("specific per kg")
        << 11 << captioned("spezifische Feuchte in Gramm Wasser/ kg Luft ");
    QTest::newRow("specific per m3") << 12 << captioned("spez. F. in g Wasser/ Kubikmeter Luft ");
    QTest::newRow("specific second method")
        << 13 << captioned("spez. F. in g Wasser/ Kubikmeter Luft alt. Formel ");
    QTest::newRow("saturation per kg")
        << 14 << captioned("Saettigungsfeuchte in Gramm Wasser/ kg Luft ");
    QTest::newRow("saturation per m3")
        << 15 << captioned("Saettigungsfeuchte in g Wasser/ Kubikmeter Luft ");
    QTest::newRow("equivalent temperature")
        << 16 << captioned("Aequivalenttemperatur in Grad Celsius ");
    QTest::newRow("dew point") << 17 << captioned("Taupunkt in Grad Celsius ");
    QTest::newRow("dew point second method") << 18 << captioned("alt. Formel in Grad Celsius ");
}

void TestBrumo::rows()
{
    QFETCH(int, row);
    QFETCH(QStringList, widgets);

    Brumo w;
    QBoxLayout *layout = rowLayout(w, row);
    QVERIFY(layout);
    QStringList seen;
    for (int i = 0; i < layout->count(); ++i) {
        QWidget *widget = layout->itemAt(i)->widget();
        QVERIFY(widget);
        QCOMPARE(layout->stretch(i), 0);
        seen << describe(widget);
        // A caption is the buddy of the field to its right.
        if (auto *label = qobject_cast<QLabel *>(widget); label && i + 1 < layout->count()) {
            QWidget *next = layout->itemAt(i + 1)->widget();
            if (qobject_cast<QLineEdit *>(next))
                QCOMPARE(label->buddy(), next);
        }
    }
    QCOMPARE(seen, widgets);
}

void TestBrumo::membersInPlace()
{
    Brumo w;
    QList<QLineEdit *> inLayout;
    for (int row = 0; row < 19; ++row) {
        QBoxLayout *layout = rowLayout(w, row);
        QVERIFY(layout);
        for (int i = 0; i < layout->count(); ++i)
            if (auto *edit = qobject_cast<QLineEdit *>(layout->itemAt(i)->widget()))
                inLayout << edit;
    }
    QCOMPARE(inLayout, edits(w));
    QCOMPARE(rowLayout(w, 5)->itemAt(0)->widget(), w.pushButtonStarteBerechnung);
    QCOMPARE(rowLayout(w, 5)->itemAt(1)->widget(), w.pushButtonClose);
}

void TestBrumo::focusChain()
{
    Brumo w;
    QList<QWidget *> expected;
    for (QLineEdit *edit : edits(w))
        expected << edit;
    expected << w.pushButtonClose << w.pushButtonStarteBerechnung;

    QList<QWidget *> chain;
    for (QWidget *next = w.nextInFocusChain(); next != &w; next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus)
            chain << next;
    QCOMPARE(chain, expected);
}

void TestBrumo::noExtraSettings()
{
    Brumo w;
    for (QLineEdit *edit : edits(w)) {
        QVERIFY(!edit->isReadOnly());
        QVERIFY(!edit->validator());
        QCOMPARE(edit->maxLength(), QLineEdit().maxLength());
        QVERIFY(edit->inputMask().isEmpty());
    }
    QVERIFY(!w.pushButtonStarteBerechnung->isDefault());
    QVERIFY(!w.pushButtonClose->isDefault());

    // Typing into a result field reaches no slot.
    QTest::keyClicks(w.lineEditDisplayTaupunkt, "12");
    QCOMPARE(flags(w), QList<int>({0, 0, 0, 0}));
}

void TestBrumo::translation()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    Brumo w;
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(w.windowTitle(), QStringLiteral("Brumo"));
    QCOMPARE(w.labelProgrammName->text(), QStringLiteral("<h2>Brumoskop</h2>"));
    QCOMPARE(w.labelAuthor->text(), QStringLiteral("(c) 2026 Brumo-Team"));
    int translated = 0;
    for (QLabel *label : w.findChildren<QLabel *>()) {
        if (label == w.labelProgrammName || label == w.labelAuthor)
            continue;
        QVERIFY2(label->text().startsWith('[') && label->text().endsWith(']'),
                 qPrintable(label->text()));
        ++translated;
    }
    QCOMPARE(translated, 18);
    QCOMPARE(w.pushButtonClose->text(), QStringLiteral("[Programmende]"));
    QCOMPARE(w.pushButtonStarteBerechnung->text(), QStringLiteral("[Starte Berechnung]"));
}

void TestBrumo::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<float>("copy");

    QTest::newRow("plain") << "20" << 20 << 20.0f;
    QTest::newRow("fraction cut off") << "20.5" << 20 << 20.0f;
    QTest::newRow("minus") << "-5" << -5 << -5.0f;
    QTest::newRow("plus") << "+3" << 3 << 3.0f;
    QTest::newRow("leading blank") << " 7" << 7 << 7.0f;
    QTest::newRow("leading tab") << "\t7" << 7 << 7.0f;
    QTest::newRow("trailing blank") << "7 " << 7 << 7.0f;
    QTest::newRow("letters after digits") << "12abc" << 12 << 12.0f;
    QTest::newRow("letters only") << "abc" << 0 << 0.0f;
    QTest::newRow("emptied") << "" << 0 << 0.0f;
    QTest::newRow("lone minus") << "-" << 0 << 0.0f;
    QTest::newRow("two signs") << "--4" << 0 << 0.0f;
    QTest::newRow("blank after sign") << "- 4" << 0 << 0.0f;
    QTest::newRow("exponent not read") << "1e3" << 1 << 1.0f;
    QTest::newRow("hex prefix stops at 0") << "0x1A" << 0 << 0.0f;
    QTest::newRow("leading zero is decimal") << "010" << 10 << 10.0f;
    QTest::newRow("non-Latin-1 character") << QString::fromUtf8("4\u20ac") << 4 << 4.0f;
    QTest::newRow("int max, float rounds up") << "2147483647" << 2147483647 << 2147483648.0f;
    QTest::newRow("one past int max wraps")
        << "2147483648" << int(-2147483647 - 1) << -2147483648.0f;
    QTest::newRow("3e9 wraps") << "3000000000" << -1294967296 << -1294967296.0f;
    QTest::newRow("2^32 wraps to 0") << "4294967296" << 0 << 0.0f;
    QTest::newRow("64-bit max") << "9223372036854775807" << -1 << -1.0f;
    QTest::newRow("64-bit min") << "-9223372036854775808" << 0 << 0.0f;
    QTest::newRow("beyond 64 bits clamps to max") << "99999999999999999999" << -1 << -1.0f;
    QTest::newRow("beyond 64 bits clamps to min") << "-99999999999999999999" << 0 << 0.0f;
    QTest::newRow("beyond 64 bits, digits go on") << "184467440737095516171" << -1 << -1.0f;
    QTest::newRow("float nearest even") << "16777217" << 16777217 << 16777216.0f;
}

void TestBrumo::parse()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(float, copy);

    // Each field through its own slot, so that a crossed wire shows.
    for (int field = 0; field < 4; ++field) {
        Brumo w;
        QLineEdit *edit = inputs(w)[field];
        edit->setText("999");
        edit->setText(text);
        QCOMPARE(ints(w)[field], value);
        QCOMPARE(floats(w)[field], copy);
        QList<int> expectedFlags{0, 0, 0, 0};
        expectedFlags[field] = 1;
        QCOMPARE(flags(w), expectedFlags);
    }
    QCOMPARE(ganzeZahl(text.toLatin1().constData()), value);
}

void TestBrumo::startButton_data()
{
    // Steps "field=text", field 0..3 = temperature, altitude, pressure, humidity;
    // an empty text deletes everything typed so far.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("all four typed") << QStringList{"0=20", "1=0", "2=1013", "3=50"} << true;
    QTest::newRow("three typed") << QStringList{"0=20", "1=0", "2=1013"} << false;
    QTest::newRow("altitude untouched") << QStringList{"0=20", "2=1013", "3=50"} << false;
    QTest::newRow("one field four times") << QStringList{"3=1", "3=2", "3=3", "3=4"} << false;
    QTest::newRow("a letter completes the set")
        << QStringList{"3=50", "0=20", "1=0", "2=x"} << true;
    QTest::newRow("typed, then emptied, counts as changed")
        << QStringList{"0=2", "0=", "1=0", "2=1013", "3=50"} << true;
    QTest::newRow("emptied after enabling stays enabled")
        << QStringList{"0=20", "1=0", "2=1013", "3=50", "1=", "2=", "0="} << true;
}

void TestBrumo::startButton()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, enabled);

    Brumo w;
    QSet<int> touched;
    for (const QString &step : steps) {
        const int field = step.section('=', 0, 0).toInt();
        QLineEdit *edit = inputs(w)[field];
        const QString text = step.section('=', 1);
        if (text.isEmpty())
            edit->clear();
        else
            QTest::keyClicks(edit, text);
        touched << field;
        // Enabled exactly once every field has changed, never earlier.
        QCOMPARE(w.pushButtonStarteBerechnung->isEnabled(), touched.size() == 4);
    }
    QCOMPARE(w.pushButtonStarteBerechnung->isEnabled(), enabled);
}

void TestBrumo::typingCallsTheSlotPerCharacter()
{
    Brumo w;
    QSignalSpy spy(w.lineEditEingabeTemperatur, &QLineEdit::textChanged);
    QTest::keyClicks(w.lineEditEingabeTemperatur, "20");
    QCOMPARE(spy.count(), 2);
    QCOMPARE(w.Temperatur, 20);
    QCOMPARE(w._Temperatur, 20.0f);
    QTest::keyClick(w.lineEditEingabeTemperatur, Qt::Key_Backspace);
    QCOMPARE(w.Temperatur, 2);
}

void TestBrumo::calculation_data()
{
    // Inputs, then the fourteen fields top to bottom, then the saturation
    // deficit, which only the export has.
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("deficit");

    QTest::newRow("20 C, sea level, 1013 hPa, 50 %")
        << QStringList{"20", "0", "1013", "50"}
        << QStringList{"1013",    "1.20599", "293.15",  "19.8412", "9.92061", "11.7115", "6.09143",
                       "7.34622", "8.66",    "12.1829", "14.6924", "34.8809", "6.86214", "9.28896"}
        << "9.92061";
    QTest::newRow("all zero") << QStringList{"0", "0", "0", "0"}
                              << QStringList{"0",   "0", "273.15", "6.1078", "0", "0",   "nan",
                                             "nan", "0", "nan",    "nan",    "0", "nan", "nan"}
                              << "6.1078";
    QTest::newRow("text that is not a plain number")
        << QStringList{"20.9", " +0", "1013 hPa", "50%"}
        << QStringList{"1013",    "1.20599", "293.15",  "19.8412", "9.92061", "11.7115", "6.09143",
                       "7.34622", "8.66",    "12.1829", "14.6924", "34.8809", "6.86214", "9.28896"}
        << "9.92061";
}

void TestBrumo::calculation()
{
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    QFETCH(QString, deficit);

    InTemporaryDir dir;
    QVERIFY(dir.isValid());
    Brumo w;
    calculate(w, input);

    const QList<QByteArray> lines = readExport().split('\n');
    QVERIFY(!QFileInfo::exists("temp"));
    const QStringList texts = shown(w);
    QCOMPARE(texts.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QString want = expected[i];
        if (want == "nan")
            QVERIFY2(QRegularExpression("^-?nan$").match(texts[i]).hasMatch(),
                     qPrintable(texts[i]));
        else
            QCOMPARE(texts[i], want);
    }

    // The export holds the same texts, in its own column order.
    QCOMPARE(lines.size(), 3);
    const QStringList cells = QString::fromLatin1(lines[2]).split(';');
    QCOMPARE(cells.size(), 16);
    QCOMPARE(cells.last(), QString());
    const auto field = [&](QLineEdit *edit) { return int(results(w).indexOf(edit)); };
    const QList<int> column = {field(w.lineEditDisplayLuftdruckOrt),
                               field(w.lineEditDisplayLuftdichte),
                               field(w.lineEditDisplayTempKelvin),
                               field(w.lineEditDisplaySaettigungsdruck),
                               -1,
                               field(w.lineEditDisplayDampfdruck),
                               field(w.lineEditDisplayDampfdruck_alt),
                               field(w.lineEditDisplayTaupunkt),
                               field(w.lineEditDisplayTaupunkt_alt),
                               field(w.lineEditDisplaySpezFeuchte1),
                               field(w.lineEditDisplaySpezFeuchte2),
                               field(w.lineEditDisplaySpezFeuchte_alt),
                               field(w.lineEditDisplaySaettFeuchte1),
                               field(w.lineEditDisplaySaettFeuchte2),
                               field(w.lineEditDisplayAequivalentTemp)};
    for (int c = 0; c < 15; ++c)
        QCOMPARE(cells[c], column[c] < 0 ? deficit : texts[column[c]]);
}

void TestBrumo::repeatedClick()
{
    InTemporaryDir dir;
    QVERIFY(dir.isValid());
    Brumo w;
    calculate(w, {"-5", "300", "1015", "60"});
    const QStringList first = shown(w);
    const QByteArray firstExport = readExport();

    results(w).first()->setText("typed by hand");
    QTest::mouseClick(w.pushButtonStarteBerechnung, Qt::LeftButton);

    QCOMPARE(first.first(), QStringLiteral("979.912"));
    QCOMPARE(first.last(), QStringLiteral("-11.5134"));
    QCOMPARE(shown(w), first);
    QVERIFY(!firstExport.isEmpty());
    QCOMPARE(readExport(), firstExport);
}

void TestBrumo::inputChangeKeepsResults()
{
    InTemporaryDir dir;
    QVERIFY(dir.isValid());
    Brumo w;
    calculate(w, {"20", "0", "1013", "50"});
    QTest::keyClicks(w.lineEditEingabeTemperatur, "5");
    QCOMPARE(w.lineEditDisplayTempKelvin->text(), QStringLiteral("293.15"));
    QTest::mouseClick(w.pushButtonStarteBerechnung, Qt::LeftButton);
    QCOMPARE(w.lineEditDisplayTempKelvin->text(), QStringLiteral("478.15"));
}

// Must stay last: it runs the application's event loop to its end.
void TestBrumo::programmendeEndsWithZero()
{
    auto *w = new Brumo;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTimer::singleShot(0, w, [w] { QTest::mouseClick(w->pushButtonClose, Qt::LeftButton); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w->isVisible());
    delete w;
}

QTEST_MAIN(TestBrumo)
#include "tst_brumo.moc"
