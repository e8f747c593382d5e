#include "link/monitor_text.h"

#include <charconv>
#include <cstdlib>

namespace kestrin::montext {

namespace {

void appendPadded(std::string& out, const char* first, const char* last, int width)
{
    for (long pad = width - (last - first); pad > 0; --pad)
        out.push_back(' ');
    out.append(first, last);
}

}  // namespace

void appendInt(std::string& out, long value, int width)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    appendPadded(out, buf, r.ptr, width);
}

void appendTenths(std::string& out, long tenths, int width)
{
    char buf[32];
    char* p = buf;
    if (tenths < 0)
        *p++ = '-';
    const unsigned long magnitude = static_cast<unsigned long>(std::labs(tenths));
    p = std::to_chars(p, buf + sizeof buf - 2, magnitude / 10).ptr;
    *p++ = '.';
    *p++ = static_cast<char>('0' + magnitude % 10);
    appendPadded(out, buf, p, width);
}

}  // namespace kestrin::montext
