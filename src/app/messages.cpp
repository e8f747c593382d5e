#include "app/messages.h"

namespace kestrin {

void MessageTable::fill(int language, int)
{
    language_ = (language >= 0 && language < kLanguageCount) ? language : English;
    const std::string fileName = entries_[1];
    entries_.fill({});
    entries_[1] = fileName;
}

const std::string& MessageTable::operator[](int index) const
{
    static const std::string kEmpty;
    if (index < 0 || index >= kMessageCount)
        return kEmpty;
    return entries_[static_cast<std::size_t>(index)];
}

}  // namespace kestrin
