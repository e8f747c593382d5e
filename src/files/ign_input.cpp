#include "files/ign_input.h"

namespace kestrin::ign {

bool Input::refill()
{
    if (!source_ || failed_)
        return false;
    const long long n = source_(buffer_.data(), buffer_.size());
    if (n <= 0) {
        failed_ = n < 0;
        source_ = nullptr;
        return false;
    }
    view_ = std::string_view(buffer_.data(), static_cast<std::size_t>(n));
    pos_ = 0;
    return true;
}

}  // namespace kestrin::ign
