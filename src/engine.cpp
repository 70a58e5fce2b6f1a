#include "engine.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <locale>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

engine::engine() {}

engine::~engine() {}

float engine::pOrt(float hNNull, float pNNull)
{
    const double h = hNNull;
    _pOrt = static_cast<float>(double(pNNull) - h / (8.7 - 0.0005 * h));
    return _pOrt;
}

float engine::LDichte(float _pOrt, float _t)
{
    _LD = static_cast<float>((0.349 * double(_pOrt)) / (double(_t) + 273.15));
    return _LD;
}

float engine::tKelvin(float _t)
{
    _tK = static_cast<float>(double(_t) + 273.15);
    return _tK;
}

float engine::pSatt(float _t, float _tK)
{
    const float a = static_cast<float>((7.5 * double(_t)) / double(_tK));
    const float b = static_cast<float>(std::pow(10.0, double(a)));
    _pS = static_cast<float>(6.1078 * double(b));
    return _pS;
}

float engine::saettDef(float _pS, float _relF)
{
    const float c = _pS / 100.0f;
    const float d = c * _relF;
    _Sd = _pS - d;
    return _Sd;
}

float engine::pDampf(float _pS, float _Sd)
{
    _pD = _pS - _Sd;
    return _pD;
}

float engine::TauPunkt(float _pD)
{
    // The base-10 logarithm as a quotient of natural ones, as the formula has
    // always been evaluated; log10() could differ in the last bit.
    const double lg = std::log(double(_pD)) / std::log(10.0);
    _TP = static_cast<float>((234.67 * lg - 184.2) / (8.233 - lg));
    return _TP;
}

float engine::spezFeuchte1(float _pD, float _pOrt)
{
    const float q = _pD / _pOrt;
    _spezF1 = static_cast<float>((double(q) * 0.622) * 1000.0);
    return _spezF1;
}

float engine::spezFeuchte2(float _spezF1, float _LD)
{
    _spezF2 = _spezF1 * _LD;
    return _spezF2;
}

float engine::saettFeuchte1(float _spezF1, float _relF)
{
    _saettF1 = (_spezF1 / _relF) * 100.0f;
    return _saettF1;
}

float engine::saettFeuchte2(float _saettF1, float _LD)
{
    _saettF2 = _saettF1 * _LD;
    return _saettF2;
}

float engine::aequTemp(float _t, float _pD)
{
    _aequT = static_cast<float>(double(_t) + 1.5 * double(_pD));
    return _aequT;
}

float engine::TauPunkt2(float _t, float _relF)
{
    // Magnus coefficients held in single precision on purpose: 7.45f is a
    // little below 7.45, and that shows in the digits.
    const float ai = 7.45f;
    const float bi = 235.0f;

    const float z1 = (ai * _t) / (_t + bi);
    const float es = static_cast<float>(6.1 * std::exp(2.3025851 * double(z1)));
    const float e = (es * _relF) / 100.0f;
    _dru = e;

    const float z2 = static_cast<float>(double(e) / 6.1);
    const float z3 = static_cast<float>(0.434292289 * std::log(double(z2)));
    _TP2 = (bi * z3) / (ai - z3);

    const float perCubicMetre =
        static_cast<float>(((216.7 * double(e)) / (double(_t) + 273.15)) * 100.0);
    _feu2 = std::roundf(perCubicMetre) / 100.0f;
    return _TP2;
}

namespace {

// Writes all of text to fd; false on any failure, a full disk included.
bool writeAll(int fd, const std::string &text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

char engine::num2txt(float _num)
{
    char txtflag[1024] = "";
    const std::string text = zahlText(_num);

    // The scratch file is created only if the name is free: a "temp" that
    // belongs to the user (or to another Brumo in the same directory) is
    // never written, read or removed. Then the text is taken as formatted.
    const int fd = ::open("temp", O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        text.copy(txtflag, sizeof txtflag - 1);
    } else {
        bool written = false;
        if (fd < 0) {
            std::cout << "\n\nKann temporaere Datei nicht anlegen\n\n" << std::flush;
        } else {
            written = writeAll(fd, text);
            written = ::close(fd) == 0 && written;
        }
        std::ifstream _tempfile("temp");
        _tempfile.getline(txtflag, sizeof txtflag);
        _tempfile.close();
        [[maybe_unused]] const int removed = std::system("rm temp");

        // A full disk leaves the file short; the value itself is not lost.
        if (fd >= 0 && !written) {
            std::memset(txtflag, 0, sizeof txtflag);
            text.copy(txtflag, sizeof txtflag - 1);
        }
    }

    std::memcpy(txt, txtflag, sizeof txt);
    return txt[0];
}

void engine::fileexport(float _pO, float _LD, float _tK, float _pS, float _Sd, float _pD,
                        float _dru, float _TP, float _TP2, float _spezF1, float _spezF2,
                        float _feu2, float _saettF1, float _saettF2, float _aequT)
{
    // Emptied only once the lock is held, so that two Brumos exporting into
    // one directory at the same moment leave one whole file, not a mix.
    const int fd = ::open("Brumo_export.csv", O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        std::cout << "\n\nKann Exportdatei nicht anlegen" << std::flush;
        return;
    }

    std::string exportfile =
        "oertlicher Luftdruck;Luftdichte;Temperatur in Kelvin;Saettigungsdruck;"
        "Saettigungsdefizit;Dampfdruck;Dampfdruck nach alternativer Methode ;"
        "Taupunkt;Taupunkt nach alternativer Methode;spezifische Feuchte;"
        "spezifische Feuchte;spezifische Feuchte nach alternativer Methode;"
        "Saettigungs-Feuchte;Saettigungs-Feuchte;Aequivalent-Temperatur;\n"
        "hPa;kg/m\xC2\xB3;K;hPa;hPa;hPa;mbar;Grad Celsius;Grad Celsius;"
        "Gramm Wasser/ kg Luft;Gramm Wasser/ Kubikmeter Luft;"
        "Gramm Wasser/ Kubikmeter Luft;Gramm Wasser/ kg Luft;"
        "Gramm Wasser/ Kubikmeter Luft;Grad Celsius;\n";
    for (float value : {_pO, _LD, _tK, _pS, _Sd, _pD, _dru, _TP, _TP2, _spezF1, _spezF2, _feu2,
                        _saettF1, _saettF2, _aequT})
        exportfile += zahlText(value) + ';';

    // A file system without locks still gets its export.
    [[maybe_unused]] const int locked = ::flock(fd, LOCK_EX);
    bool written = ::ftruncate(fd, 0) == 0 && writeAll(fd, exportfile);
    written = ::close(fd) == 0 && written;

    // A full disk or a size limit shows here; the run goes on regardless.
    if (!written)
        std::cout << "\n\nKann Exportdatei nicht schreiben" << std::flush;
}

std::string zahlText(float value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << double(value);
    return out.str();
}

int ganzeZahl(const char *text)
{
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;

    // Accumulate towards the sign so that the 64-bit minimum is reachable.
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    std::int64_t n = 0;
    bool clamped = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (clamped)
            continue;
        const int digit = *p - '0';
        if (negative) {
            if (n < (min + digit) / 10) {
                n = min;
                clamped = true;
            } else {
                n = n * 10 - digit;
            }
        } else {
            if (n > (max - digit) / 10) {
                n = max;
                clamped = true;
            } else {
                n = n * 10 + digit;
            }
        }
    }
    // Conversion to a narrower signed type is modulo 2^32 since C++20.
    return static_cast<int>(n);
}
