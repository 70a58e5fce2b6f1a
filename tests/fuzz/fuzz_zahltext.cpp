// The number text of any float against the C library's %g in the C locale,
// while the process runs under locales that write a decimal comma.
#include "engine.h"
#include "komma.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>

#include <locale.h>

namespace {

locale_t cLocale;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    std::locale::global(std::locale(std::locale::classic(), new Komma));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < sizeof(float))
        return 0;
    float value;
    std::memcpy(&value, data, sizeof value);

    char expected[64];
    const locale_t previous = uselocale(cLocale);
    std::snprintf(expected, sizeof expected, "%g", double(value));
    uselocale(previous);

    const std::string got = zahlText(value);
    if (got != expected || got.find(',') != std::string::npos || got.size() > 12)
        std::abort();
    return 0;
}
