#include "link/memory_channel.h"

#include "link/sim/simulated_unit.h"

#include <algorithm>

namespace kestrin {

bool MemoryChannel::open(const std::string& device)
{
    opened_.push_back(device);
    open_ = std::find(missing_.begin(), missing_.end(), device) == missing_.end();
    return open_;
}

void MemoryChannel::close()
{
    if (!open_)
        return;
    pullFromUnit();
    input_.clear();
    open_ = false;
}

void MemoryChannel::pullFromUnit()
{
    if (unit_) {
        const auto bytes = unit_->takeOutput();
        if (open_)
            input_.insert(input_.end(), bytes.begin(), bytes.end());
    }
}

long MemoryChannel::queuedBytes()
{
    if (!open_)
        return -1;
    pullFromUnit();
    return static_cast<long>(input_.size());
}

int MemoryChannel::read(std::span<std::uint8_t> buffer)
{
    if (!open_)
        return 0;
    pullFromUnit();
    const std::size_t n = std::min(buffer.size(), input_.size());
    std::copy_n(input_.begin(), n, buffer.begin());
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<int>(n);
}

bool MemoryChannel::write(std::span<const std::uint8_t> bytes)
{
    if (!open_)
        return false;
    if (bytes.size() == static_cast<std::size_t>(kFrameSize)) {
        Frame f;
        std::copy(bytes.begin(), bytes.end(), f.begin());
        written_.push_back(f);
    }
    if (unit_)
        unit_->receive(bytes);
    return true;
}

void MemoryChannel::inject(std::span<const std::uint8_t> bytes)
{
    input_.insert(input_.end(), bytes.begin(), bytes.end());
}

}  // namespace kestrin
