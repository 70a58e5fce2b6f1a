// The input-field parse against a model of its own: white space, one sign,
// decimal digits, clamped to 64 bits, then the low 32 bits.
#include "engine.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int model(const char *s)
{
    while (*s != '\0' && std::strchr(" \t\n\v\f\r", *s))
        ++s;
    bool negative = false;
    if (*s == '+' || *s == '-')
        negative = *s++ == '-';
    // Once past 2^64 the number is out of range whatever follows.
    const __int128 cap = static_cast<__int128>(1) << 64;
    __int128 magnitude = 0;
    for (; *s >= '0' && *s <= '9'; ++s)
        if (magnitude <= cap)
            magnitude = magnitude * 10 + (*s - '0');
    __int128 value = negative ? -magnitude : magnitude;
    if (value > INT64_MAX)
        value = INT64_MAX;
    if (value < INT64_MIN)
        value = INT64_MIN;
    const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(value));
    return low <= INT32_MAX ? static_cast<int>(low)
                            : static_cast<int>(low - 0x80000000u) + INT32_MIN;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const int got = ganzeZahl(text.c_str());
    if (got != model(text.c_str()))
        std::abort();
    // The C library, read in the C locale, agrees as well.
    if (got != static_cast<int>(std::strtoll(text.c_str(), nullptr, 10)))
        std::abort();
    return 0;
}
