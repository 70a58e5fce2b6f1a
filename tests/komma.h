#ifndef BRUMO_KOMMA_H
#define BRUMO_KOMMA_H

#include <locale>
#include <string>

// Numbers written the German way: decimal comma, grouped thousands.
struct Komma : std::numpunct<char> {
    char do_decimal_point() const override
    {
        return ',';
    }
    char do_thousands_sep() const override
    {
        return '.';
    }
    std::string do_grouping() const override
    {
        return "\3";
    }
};

#endif
