#ifndef BRUMO_BRUMO_H
#define BRUMO_BRUMO_H

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QString;

class Brumo : public QDialog
{
    Q_OBJECT

  public:
    explicit Brumo(QWidget *parent = nullptr, const char *name = nullptr);

  private slots:
    void eingabeTemperatur(const QString &Temp);
    void eingabeHoehe(const QString &Hoe);
    void eingabeLuftdruck(const QString &LD);
    void eingabeFeuchtigkeit(const QString &Feu);
    void starteBerechnungClicked();

  private:
    void eingabe(const QString &text, int &value, int &flag, float &copy);

    int Temperatur;
    int Hoehe;
    int Luftdruck;
    int Feuchtigkeit;
    int flagTemperatur;
    int flagHoehe;
    int flagLuftdruck;
    int flagFeuchtigkeit;
    float _Temperatur;
    float _Hoehe;
    float _Luftdruck;
    float _Feuchtigkeit;

    QLabel *labelProgrammName;
    QLabel *labelAuthor;
    QLabel *labelTemperatur;
    QLabel *labelHoehe;
    QLabel *labelLuftdruck;
    QLabel *labelFeuchtigkeit;
    QLabel *labelLuftdruckOrt;
    QLabel *labelLuftdichte;
    QLabel *labelTempKelvin;
    QLabel *labelSaettigungsdruck;
    QLabel *labelDampfdruck;
    QLabel *labelDampfdruck_alt;
    QLabel *labelTaupunkt;
    QLabel *labelTaupunkt_alt;
    QLabel *labelSpezFeuchte1;
    QLabel *labelSpezFeuchte2;
    QLabel *labelSpezFeuchte_alt;
    QLabel *labelSaettFeuchte1;
    QLabel *labelSaettFeuchte2;
    QLabel *labelAequivalentTemp;

    QLineEdit *lineEditEingabeTemperatur;
    QLineEdit *lineEditEingabeHoehe;
    QLineEdit *lineEditEingabeLuftdruck;
    QLineEdit *lineEditEingabeFeuchtigkeit;
    QLineEdit *lineEditDisplayLuftdruckOrt;
    QLineEdit *lineEditDisplayLuftdichte;
    QLineEdit *lineEditDisplayTempKelvin;
    QLineEdit *lineEditDisplaySaettigungsdruck;
    QLineEdit *lineEditDisplayDampfdruck;
    QLineEdit *lineEditDisplayDampfdruck_alt;
    QLineEdit *lineEditDisplayTaupunkt;
    QLineEdit *lineEditDisplayTaupunkt_alt;
    QLineEdit *lineEditDisplaySpezFeuchte1;
    QLineEdit *lineEditDisplaySpezFeuchte2;
    QLineEdit *lineEditDisplaySpezFeuchte_alt;
    QLineEdit *lineEditDisplaySaettFeuchte1;
    QLineEdit *lineEditDisplaySaettFeuchte2;
    QLineEdit *lineEditDisplayAequivalentTemp;

    QPushButton *pushButtonStarteBerechnung;
    QPushButton *pushButtonClose;

    friend class TestBrumo;
};

#endif
