#include "engine.h"

#include <QtTest>

#include <cmath>
#include <sstream>

namespace {

// Opens the protected fields so that a test can see what each operation kept.
struct OffeneEngine : engine {
    float field(const QString &name) const
    {
        static const QHash<QString, float OffeneEngine::*> fields = {
            {"_pOrt", &OffeneEngine::_pOrt},       {"_LD", &OffeneEngine::_LD},
            {"_tK", &OffeneEngine::_tK},           {"_pS", &OffeneEngine::_pS},
            {"_Sd", &OffeneEngine::_Sd},           {"_pD", &OffeneEngine::_pD},
            {"_TP", &OffeneEngine::_TP},           {"_spezF1", &OffeneEngine::_spezF1},
            {"_spezF2", &OffeneEngine::_spezF2},   {"_saettF1", &OffeneEngine::_saettF1},
            {"_saettF2", &OffeneEngine::_saettF2}, {"_aequT", &OffeneEngine::_aequT},
            {"_TP2", &OffeneEngine::_TP2},         {"_feu2", &OffeneEngine::_feu2},
            {"_dru", &OffeneEngine::_dru},         {"_num", &OffeneEngine::_num},
        };
        return this->*fields.value(name);
    }
};

// Written as the user sees it, independently of the program's own helper.
QString text(float value)
{
    std::ostringstream out;
    out << double(value);
    return QString::fromStdString(out.str());
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestFormeln : public QObject
{
    Q_OBJECT

  private slots:
    void chain_data();
    void chain();
    void freshEngineIsZero();
};

void TestFormeln::chain_data()
{
    QTest::addColumn<float>("t");
    QTest::addColumn<float>("h");
    QTest::addColumn<float>("p");
    QTest::addColumn<float>("relF");
    QTest::addColumn<QString>("expected");

    QTest::newRow("20 C, sea level, 1013 hPa, 50 %")
        << 20.0f << 0.0f << 1013.0f << 50.0f
        << "_pOrt=1013 _LD=1.20599 _tK=293.15 _pS=19.8412 _Sd=9.92061 _pD=9.92061 "
           "_TP=6.86214 _spezF1=6.09143 _spezF2=7.34622 _saettF1=12.1829 _saettF2=14.6924 "
           "_aequT=34.8809 _TP2=9.28896 _feu2=8.66 _dru=11.7115";
    QTest::newRow("0 C, 500 m, 1013 hPa, 80 %")
        << 0.0f << 500.0f << 1013.0f << 80.0f
        << "_pOrt=953.828 _LD=1.21869 _tK=273.15 _pS=6.1078 _Sd=1.22156 _pD=4.88624 "
           "_TP=-2.98492 _spezF1=3.18636 _spezF2=3.8832 _saettF1=3.98295 _saettF2=4.854 "
           "_aequT=7.32936 _TP2=-3.01762 _feu2=3.87 _dru=4.88";
    QTest::newRow("-5 C, 300 m, 1015 hPa, 60 %")
        << -5.0f << 300.0f << 1015.0f << 60.0f
        << "_pOrt=979.912 _LD=1.27537 _tK=268.15 _pS=4.42627 _Sd=1.77051 _pD=2.65576 "
           "_TP=-10.841 _spezF1=1.68575 _spezF2=2.14994 _saettF1=2.80958 _saettF2=3.58324 "
           "_aequT=-1.01636 _TP2=-11.5134 _feu2=2.04 _dru=2.52072";
    QTest::newRow("humidity 0: nothing trapped")
        << 20.0f << 0.0f << 1013.0f << 0.0f
        << "_Sd=19.8412 _pD=0 _spezF1=0 _spezF2=0 _dru=0 _feu2=0 _TP=nan _TP2=nan "
           "_saettF1=nan _saettF2=nan _aequT=20";
    QTest::newRow("humidity 100 at 20 C: dew points stay below the temperature")
        << 20.0f << 0.0f << 1013.0f << 100.0f
        << "_Sd=0 _pD=19.8412 _spezF1=12.1829 _saettF1=12.1829 _spezF2=14.6924 "
           "_saettF2=14.6924 _TP=17.3458 _TP2=19.9999 _dru=23.4231 _feu2=17.31";
    QTest::newRow("humidity 100 at 25 C: deficit is one ulp, not zero")
        << 25.0f << 0.0f << 1013.0f << 100.0f << "_pS=25.9874 _Sd=1.90735e-06 _TP2=24.9999";
    QTest::newRow("humidity 100 at 0 C")
        << 0.0f << 0.0f << 1013.0f << 100.0f << "_TP2=0 _TP=0.0300234";
    QTest::newRow("17400 m: divisor just below zero")
        << 20.0f << 17400.0f << 1013.0f << 50.0f
        << "_pOrt=9.79533e+18 _LD=1.16615e+16 _pS=19.8412 _pD=9.92061 _TP=6.86214 "
           "_TP2=9.28896 _aequT=34.8809 _feu2=8.66";
    QTest::newRow("17399 m") << 20.0f << 17399.0f << 1013.0f << 50.0f << "_pOrt=-3.4797e+07";
    QTest::newRow("20000 m") << 20.0f << 20000.0f << 1013.0f << 50.0f << "_pOrt=16397.6";
    QTest::newRow("no air pressure")
        << 20.0f << 0.0f << 0.0f << 50.0f
        << "_pOrt=0 _LD=0 _spezF1=inf _saettF1=inf _spezF2=nan _saettF2=nan";
    QTest::newRow("-235 C: second method divides by zero")
        << -235.0f << 0.0f << 1013.0f << 50.0f
        << "_pS=0 _pD=0 _TP=nan _TP2=nan _dru=0 _feu2=0 _tK=38.15 _LD=9.26702";
    QTest::newRow("-273 C: saturation pressure beyond single precision")
        << -273.0f << 0.0f << 1013.0f << 50.0f
        << "_tK=0.15 _LD=2356.91 _pS=0 _TP=nan _dru=inf _feu2=inf _TP2=nan";
}

void TestFormeln::chain()
{
    QFETCH(float, t);
    QFETCH(float, h);
    QFETCH(float, p);
    QFETCH(float, relF);
    QFETCH(QString, expected);

    // Chained as a calculation run chains them.
    OffeneEngine e;
    QHash<QString, float> returned;
    const float pO = returned["_pOrt"] = e.pOrt(h, p);
    const float LD = returned["_LD"] = e.LDichte(pO, t);
    const float tK = returned["_tK"] = e.tKelvin(t);
    const float pS = returned["_pS"] = e.pSatt(t, tK);
    const float Sd = returned["_Sd"] = e.saettDef(pS, relF);
    returned["_TP2"] = e.TauPunkt2(t, relF);
    const float pD = returned["_pD"] = e.pDampf(pS, Sd);
    returned["_TP"] = e.TauPunkt(pD);
    const float spezF1 = returned["_spezF1"] = e.spezFeuchte1(pD, pO);
    returned["_spezF2"] = e.spezFeuchte2(spezF1, LD);
    const float saettF1 = returned["_saettF1"] = e.saettFeuchte1(spezF1, relF);
    returned["_saettF2"] = e.saettFeuchte2(saettF1, LD);
    returned["_aequT"] = e.aequTemp(t, pD);

    for (auto it = returned.cbegin(); it != returned.cend(); ++it)
        QVERIFY2(sameBits(it.value(), e.field(it.key())),
                 qPrintable(it.key() + " returned differs from the field it keeps"));

    for (const QString &pair : expected.split(' ')) {
        const QString name = pair.section('=', 0, 0);
        const QString want = pair.section('=', 1);
        const QString got = text(e.field(name));
        if (want == "nan")
            QVERIFY2(std::isnan(e.field(name)), qPrintable(name + " is " + got));
        else
            QVERIFY2(got == want, qPrintable(name + " is " + got + ", expected " + want));
    }
    QCOMPARE(e.field("_num"), 0.0f);
}

void TestFormeln::freshEngineIsZero()
{
    // A static object, as the program holds it: zero until first used.
    static OffeneEngine e;
    for (const char *name : {"_pOrt", "_TP2", "_feu2", "_dru", "_num"})
        QCOMPARE(e.field(name), 0.0f);
    QCOMPARE(e.txt[0], '\0');
}

QTEST_APPLESS_MAIN(TestFormeln)
#include "tst_formeln.moc"
