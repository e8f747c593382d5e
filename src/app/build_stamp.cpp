#include "app/build_stamp.h"

#include <cstdio>
#include <cstring>

namespace kestrin {

std::string buildDate()
{
    // __DATE__ is "Mmm dd yyyy".
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* date = __DATE__;
    int month = 1;
    for (int m = 0; m < 12; ++m)
        if (std::strncmp(date, kMonths[m], 3) == 0)
            month = m + 1;
    int day = 0, year = 0;
    std::sscanf(date + 4, "%d %d", &day, &year);
    char out[40];
    std::snprintf(out, sizeof out, "%02d.%02d.%04d", day, month, year);
    return out;
}

std::string buildTime() { return __TIME__; }

std::string buildDateRaw() { return __DATE__; }

}  // namespace kestrin
