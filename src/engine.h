#ifndef BRUMO_ENGINE_H
#define BRUMO_ENGINE_H

#include <string>

// The humidity formulas. Every operation computes from its arguments alone,
// keeps its result in its own field and returns it. Which steps run in single
// and which in double precision decides the digits the user sees, so the
// mix below is deliberate.
class engine
{
  public:
    engine();
    ~engine();

    float pOrt(float hNNull, float pNNull);
    float LDichte(float _pOrt, float _t);
    float tKelvin(float _t);
    float pSatt(float _t, float _tK);
    float saettDef(float _pS, float _relF);
    float pDampf(float _pS, float _Sd);
    float TauPunkt(float _pD);
    float spezFeuchte1(float _pD, float _pOrt);
    float spezFeuchte2(float _spezF1, float _LD);
    float saettFeuchte1(float _spezF1, float _relF);
    float saettFeuchte2(float _saettF1, float _LD);
    float aequTemp(float _t, float _pD);
    void fileexport(float _pO, float _LD, float _tK, float _pS, float _Sd, float _pD, float _dru,
                    float _TP, float _TP2, float _spezF1, float _spezF2, float _feu2,
                    float _saettF1, float _saettF2, float _aequT);
    float TauPunkt2(float _t, float _relF);
    // Leaves the text of the value in txt and returns its first character.
    char num2txt(float _num);

  protected:
    float _pOrt;
    float _LD;
    float _tK;
    float _pS;
    float _Sd;
    float _pD;
    float _TP;
    float _spezF1;
    float _spezF2;
    float _saettF1;
    float _saettF2;
    float _aequT;
    float _TP2;
    float _num;

  public:
    float _feu2;
    float _dru;
    char txt[1024];
};

// The text a number is shown and exported as: the value widened to double,
// written by a stream with default settings (%g, six significant digits),
// always with a decimal point whatever the user's locale.
std::string zahlText(float value);

// The text of an input field as a whole number, read the way atoi() reads it:
// leading white space, one sign, decimal digits up to the first other
// character. A number beyond 64 bits is clamped, then only its low 32 bits
// are kept, so large entries wrap around instead of being rejected.
int ganzeZahl(const char *text);

#endif
