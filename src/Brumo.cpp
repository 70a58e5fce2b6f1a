#include "Brumo.h"

#include "engine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <initializer_list>

engine Berechnung;

Brumo::Brumo(QWidget *parent, const char *name) : QDialog(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));

    flagTemperatur = 0;
    flagHoehe = 0;
    flagLuftdruck = 0;
    flagFeuchtigkeit = 0;

    setWindowTitle(QStringLiteral("Brumo"));
    resize(420, 600);

    labelProgrammName = new QLabel(QStringLiteral("<h2>Brumoskop</h2>"), this);
    labelAuthor = new QLabel(QStringLiteral("(c) 2026 Brumo-Team"), this);
    labelTemperatur = new QLabel(tr("Temperatur in Grad Celsius "), this);
    labelHoehe = new QLabel(tr("Hoehe ueber Meeresspiegel in Meter "), this);
    labelLuftdruck = new QLabel(tr("Luftdruck in hPa "), this);
    labelFeuchtigkeit = new QLabel(tr("Luftfeuchtigkeit in %"), this);
    labelLuftdruckOrt = new QLabel(tr("Luftdruck vor Ort in hPa "), this);
    labelLuftdichte = new QLabel(tr("Luftdichte in kg/ Kubikmeter "), this);
    labelTempKelvin = new QLabel(tr("Temperatur in Grad Kelvin "), this);
    labelSaettigungsdruck = new QLabel(tr("Saettigungsdruck in hPa "), this);
    labelDampfdruck = new QLabel(tr("Dampfdruck in hPa "), this);
    labelDampfdruck_alt = new QLabel(tr("alt. Formel in mBar "), this);
    labelSpezFeuchte1 = new QLabel(tr("spezifische Feuchte in Gramm Wasser/ kg Luft "), this);
    labelSpezFeuchte2 = new QLabel(tr("spez. F. in g Wasser/ Kubikmeter Luft "), this);
    labelSpezFeuchte_alt =
        new QLabel(tr("spez. F. in g Wasser/ Kubikmeter Luft alt. Formel "), this);
    labelSaettFeuchte1 = new QLabel(tr("Saettigungsfeuchte in Gramm Wasser/ kg Luft "), this);
    labelSaettFeuchte2 = new QLabel(tr("Saettigungsfeuchte in g Wasser/ Kubikmeter Luft "), this);
    labelAequivalentTemp = new QLabel(tr("Aequivalenttemperatur in Grad Celsius "), this);
    labelTaupunkt = new QLabel(tr("Taupunkt in Grad Celsius "), this);
    labelTaupunkt_alt = new QLabel(tr("alt. Formel in Grad Celsius "), this);

    // Creation order is also the tab order.
    auto field = [this](QLabel *caption, Qt::Alignment alignment = Qt::AlignRight) {
        auto *edit = new QLineEdit(this);
        edit->setAlignment(alignment);
        caption->setBuddy(edit);
        return edit;
    };
    lineEditEingabeTemperatur = field(labelTemperatur);
    lineEditEingabeHoehe = field(labelHoehe);
    lineEditEingabeLuftdruck = field(labelLuftdruck);
    lineEditEingabeFeuchtigkeit = field(labelFeuchtigkeit);
    lineEditDisplayLuftdruckOrt = field(labelLuftdruckOrt);
    lineEditDisplayLuftdichte = field(labelLuftdichte);
    lineEditDisplayTempKelvin = field(labelTempKelvin);
    lineEditDisplaySaettigungsdruck = field(labelSaettigungsdruck);
    lineEditDisplayDampfdruck = field(labelDampfdruck, Qt::AlignHCenter);
    lineEditDisplayDampfdruck_alt = field(labelDampfdruck_alt);
    lineEditDisplaySpezFeuchte1 = field(labelSpezFeuchte1);
    lineEditDisplaySpezFeuchte2 = field(labelSpezFeuchte2);
    lineEditDisplaySpezFeuchte_alt = field(labelSpezFeuchte_alt);
    lineEditDisplaySaettFeuchte1 = field(labelSaettFeuchte1);
    lineEditDisplaySaettFeuchte2 = field(labelSaettFeuchte2);
    lineEditDisplayAequivalentTemp = field(labelAequivalentTemp);
    lineEditDisplayTaupunkt = field(labelTaupunkt);
    lineEditDisplayTaupunkt_alt = field(labelTaupunkt_alt);

    pushButtonClose = new QPushButton(this);
    pushButtonClose->setObjectName(QStringLiteral("pushButtonClose"));
    pushButtonClose->setText(tr("Programmende"));

    pushButtonStarteBerechnung = new QPushButton(this);
    pushButtonStarteBerechnung->setObjectName(QStringLiteral("pushButtonStarteBerechnung"));
    pushButtonStarteBerechnung->setEnabled(false);
    pushButtonStarteBerechnung->setText(tr("Starte Berechnung"));

    auto *mainlayout = new QVBoxLayout(this);
    mainlayout->setContentsMargins(11, 11, 11, 11);
    mainlayout->setSpacing(6);
    auto row = [mainlayout](std::initializer_list<QWidget *> widgets) {
        auto *layout = new QHBoxLayout;
        for (QWidget *widget : widgets)
            layout->addWidget(widget, 0, Qt::Alignment());
        mainlayout->addLayout(layout, 0);
    };
    row({labelProgrammName, labelAuthor});
    row({labelTemperatur, lineEditEingabeTemperatur});
    row({labelHoehe, lineEditEingabeHoehe});
    row({labelLuftdruck, lineEditEingabeLuftdruck});
    row({labelFeuchtigkeit, lineEditEingabeFeuchtigkeit});
    row({pushButtonStarteBerechnung, pushButtonClose});
    row({labelLuftdruckOrt, lineEditDisplayLuftdruckOrt});
    row({labelLuftdichte, lineEditDisplayLuftdichte});
    row({labelTempKelvin, lineEditDisplayTempKelvin});
    row({labelSaettigungsdruck, lineEditDisplaySaettigungsdruck});
    row({labelDampfdruck, lineEditDisplayDampfdruck, labelDampfdruck_alt,
         lineEditDisplayDampfdruck_alt});
    row({labelSpezFeuchte1, lineEditDisplaySpezFeuchte1});
    row({labelSpezFeuchte2, lineEditDisplaySpezFeuchte2});
    row({labelSpezFeuchte_alt, lineEditDisplaySpezFeuchte_alt});
    row({labelSaettFeuchte1, lineEditDisplaySaettFeuchte1});
    row({labelSaettFeuchte2, lineEditDisplaySaettFeuchte2});
    row({labelAequivalentTemp, lineEditDisplayAequivalentTemp});
    row({labelTaupunkt, lineEditDisplayTaupunkt});
    row({labelTaupunkt_alt, lineEditDisplayTaupunkt_alt});

    connect(pushButtonClose, &QPushButton::clicked, this, &Brumo::close);
    connect(pushButtonStarteBerechnung, &QPushButton::clicked, this,
            &Brumo::starteBerechnungClicked);
    connect(lineEditEingabeTemperatur, &QLineEdit::textChanged, this, &Brumo::eingabeTemperatur);
    connect(lineEditEingabeHoehe, &QLineEdit::textChanged, this, &Brumo::eingabeHoehe);
    connect(lineEditEingabeLuftdruck, &QLineEdit::textChanged, this, &Brumo::eingabeLuftdruck);
    connect(lineEditEingabeFeuchtigkeit, &QLineEdit::textChanged, this,
            &Brumo::eingabeFeuchtigkeit);
}

void Brumo::eingabe(const QString &text, int &value, int &flag, float &copy)
{
    value = ganzeZahl(text.toLatin1().constData());
    copy = static_cast<float>(value);
    flag = 1;
    if (flagTemperatur == 1 && flagHoehe == 1 && flagLuftdruck == 1 && flagFeuchtigkeit == 1)
        pushButtonStarteBerechnung->setEnabled(true);
}

void Brumo::eingabeTemperatur(const QString &Temp)
{
    eingabe(Temp, Temperatur, flagTemperatur, _Temperatur);
}

void Brumo::eingabeHoehe(const QString &Hoe)
{
    eingabe(Hoe, Hoehe, flagHoehe, _Hoehe);
}

void Brumo::eingabeLuftdruck(const QString &LD)
{
    eingabe(LD, Luftdruck, flagLuftdruck, _Luftdruck);
}

void Brumo::eingabeFeuchtigkeit(const QString &Feu)
{
    eingabe(Feu, Feuchtigkeit, flagFeuchtigkeit, _Feuchtigkeit);
}

void Brumo::starteBerechnungClicked()
{
    const float pO = Berechnung.pOrt(_Hoehe, _Luftdruck);
    const float LD = Berechnung.LDichte(pO, _Temperatur);
    const float tK = Berechnung.tKelvin(_Temperatur);
    const float pS = Berechnung.pSatt(_Temperatur, tK);
    const float Sd = Berechnung.saettDef(pS, _Feuchtigkeit);
    const float TP2 = Berechnung.TauPunkt2(_Temperatur, _Feuchtigkeit);
    const float pD = Berechnung.pDampf(pS, Sd);
    const float TP = Berechnung.TauPunkt(pD);
    const float spezF1 = Berechnung.spezFeuchte1(pD, pO);
    const float spezF2 = Berechnung.spezFeuchte2(spezF1, LD);
    const float saettF1 = Berechnung.saettFeuchte1(spezF1, _Feuchtigkeit);
    const float saettF2 = Berechnung.saettFeuchte2(saettF1, LD);
    const float aequT = Berechnung.aequTemp(_Temperatur, pD);

    // The saturation deficit has no field of its own; it goes to the file only.
    Berechnung.fileexport(pO, LD, tK, pS, Sd, pD, Berechnung._dru, TP, TP2, spezF1, spezF2,
                          Berechnung._feu2, saettF1, saettF2, aequT);

    auto show = [](QLineEdit *field, float value) {
        Berechnung.num2txt(value);
        field->setText(QString::fromLatin1(Berechnung.txt));
    };
    show(lineEditDisplayLuftdruckOrt, pO);
    show(lineEditDisplayLuftdichte, LD);
    show(lineEditDisplayTempKelvin, tK);
    show(lineEditDisplaySaettigungsdruck, pS);
    show(lineEditDisplayDampfdruck, pD);
    show(lineEditDisplayDampfdruck_alt, Berechnung._dru);
    show(lineEditDisplaySpezFeuchte1, spezF1);
    show(lineEditDisplaySpezFeuchte2, spezF2);
    show(lineEditDisplaySpezFeuchte_alt, Berechnung._feu2);
    show(lineEditDisplaySaettFeuchte1, saettF1);
    show(lineEditDisplaySaettFeuchte2, saettF2);
    show(lineEditDisplayAequivalentTemp, aequT);
    show(lineEditDisplayTaupunkt, TP);
    show(lineEditDisplayTaupunkt_alt, TP2);
}
