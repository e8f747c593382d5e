#include "link/port_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kestrin {

std::string comPortName(int number) { return "\\\\.\\COM" + std::to_string(number); }

int portNumberFor(int selectedIndex, int scanIndex)
{
    const int selected = std::clamp(selectedIndex, 0, kAutoPortIndex);
    if (selected == kAutoPortIndex)
        return std::clamp(scanIndex, 0, kScanPortCount - 1) + 1;
    return selected + 1;
}

std::string portMenuCaption(int index)
{
    if (index == kAutoPortIndex)
        return "Com Auto";
    return "Com " + std::to_string(index + 1);
}

std::string portLabelText(const std::string& portName)
{
    const std::string tail = portName.size() > 4 ? portName.substr(4, 10) : std::string();
    return "COM= " + tail;
}

std::string comPortDevice(int number)
{
#ifdef _WIN32
    return comPortName(number);
#else
    if (number >= 1 && number <= 8)
        return "/dev/ttyUSB" + std::to_string(number - 1);
    if (number >= 9 && number <= 12)
        return "/dev/ttyACM" + std::to_string(number - 9);
    if (number >= 13)
        return "/dev/ttyS" + std::to_string(number - 13);
    return "/dev/ttyS0";
#endif
}

std::optional<int> parseComName(const std::string& name)
{
    std::string rest = name;
    if (rest.rfind("\\\\.\\", 0) == 0)
        rest = rest.substr(4);
    if (rest.size() < 4)
        return std::nullopt;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(rest[i])) != "COM"[i])
            return std::nullopt;
    int number = 0;
    const char* begin = rest.data() + 3;
    const char* end = rest.data() + rest.size();
    auto [p, ec] = std::from_chars(begin, end, number);
    if (ec != std::errc() || p != end || number < 1 || number > 255)
        return std::nullopt;
    return number;
}

std::string resolvePortDevice(const std::string& name)
{
    if (auto number = parseComName(name))
        return comPortDevice(*number);
    return name;
}

}  // namespace kestrin
