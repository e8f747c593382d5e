#include "link/sim/simulated_unit.h"

#include "link/link_engine.h"
#include "link/transfer_identification.h"

#include <algorithm>
#include <cstring>

namespace kestrin {

namespace {

constexpr int kMonitorProgrammings = 76;
constexpr int kMonitorSaving = 148;
constexpr int kMonitorVersion = 150;

void putWord(std::span<std::uint8_t, kFrameSize> f, int offset, int value)
{
    const auto v = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
    f[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(v & 0xFF);
    f[static_cast<std::size_t>(offset + 1)] = static_cast<std::uint8_t>(v >> 8);
}

std::uint8_t u8(int v)
{
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

SimulatedUnit::SimulatedUnit(const ParameterImage& initial, SimIdentity identity, SimFaults faults)
    : stored_(initial), identity_(std::move(identity)), faults_(faults), rng_(faults.seed)
{
}

void SimulatedUnit::setFaults(const SimFaults& faults)
{
    faults_ = faults;
    rng_.seed(faults.seed);
}

Block SimulatedUnit::identification() const
{
    Block id{};
    for (std::size_t i = 0; i < 3 && i < identity_.versionChars.size(); ++i)
        id[ident::VersionChars + i] = static_cast<std::uint8_t>(identity_.versionChars[i]);
    id[ident::VersionNumber] = u8(identity_.versionNumber);
    id[ident::Day] = u8(identity_.day);
    id[ident::MonthCode] = u8(monthCode(identity_.month));
    id[ident::Year] = u8(identity_.year - 2000);
    id[ident::Hour] = u8(identity_.hour);
    id[ident::Minute] = u8(identity_.minute);
    id[ident::ProgramVersion] = u8(identity_.programVersion);
    id[ident::Programmings] = static_cast<std::uint8_t>(programmings_ & 0xFF);
    id[ident::Programmings + 1] = static_cast<std::uint8_t>((programmings_ >> 8) & 0xFF);
    const std::size_t n = std::min<std::size_t>(identity_.programName.size(), ident::ProgramNameLength);
    std::memcpy(id.data() + ident::ProgramName, identity_.programName.data(), n);
    return id;
}

void SimulatedUnit::receive(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    // A frame is sent in one go; a part left over from long ago is noise.
    if (!input_.empty() && nowMs_ - lastInputMs_ > kStaleInputMs)
        input_.clear();
    lastInputMs_ = nowMs_;
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    while (input_.size() >= static_cast<std::size_t>(kFrameSize)) {
        Frame f;
        std::copy_n(input_.begin(), kFrameSize, f.begin());
        input_.erase(input_.begin(), input_.begin() + kFrameSize);
        if (isIntact(f))
            handleFrame(f);
    }
}

void SimulatedUnit::handleFrame(const Frame& frame)
{
    ++framesReceived_;
    log_.push_back(frame);
    schedule(answer(frame));
}

Frame SimulatedUnit::answer(const Frame& frame)
{
    const std::uint8_t command = frame[0];
    Frame reply{};
    reply[0] = static_cast<std::uint8_t>(command ^ kReplyBit);

    if (command == kPollCommand) {
        // The first poll after blocks were written starts storing them.
        if (unsaved_ && savingCountdown_ == 0) {
            unsaved_ = false;
            ++programmings_;
            savingCountdown_ = kSavingCountdownStart;
            savingProgress_ = 0.0;
        }
        if (source_) {
            MonitorContext ctx{frame, stored_, programmings_, savingCountdown_, nowMs_};
            source_->fillMonitor(ctx, reply);
        }
        reply[0] = kMonitorReply;
        putWord(reply, kMonitorProgrammings, programmings_);
        putWord(reply, kMonitorSaving, savingCountdown_);
        reply[kMonitorVersion] = u8(identity_.programVersion);
        seal(reply);
        return reply;
    }

    const int block = blockOfCommand(command);
    const bool known = (command & 0x80) == 0 && block <= kLastBlock && command != kPollCommand;
    if (known) {
        if (block == 0) {
            const Block id = identification();  // block 0 is never stored from the PC
            std::copy(id.begin(), id.end(), reply.begin() + 1);
        } else {
            if (!isReadCommand(command)) {
                stored_.setBlock(block, frameData(frame));
                unsaved_ = true;
            }
            const Block b = stored_.block(block);
            std::copy(b.begin(), b.end(), reply.begin() + 1);
        }
    }
    seal(reply);
    return reply;
}

bool SimulatedUnit::chance(double rate)
{
    if (rate <= 0.0)
        return false;
    if (rate >= 1.0)
        return true;
    // Raw engine output, so the same seed gives the same faults everywhere.
    return static_cast<double>(rng_()) < rate * 4294967296.0;
}

void SimulatedUnit::schedule(Frame reply)
{
    if (faults_.silentAfter >= 0 && repliesSent_ >= faults_.silentAfter)
        return;
    const bool blockReply = reply[0] != kMonitorReply;
    if (blockReply && faults_.dropBlock >= 0 && blockOfCommand(reply[0]) == faults_.dropBlock)
        return;
    // Draw every rate each time, so one fault does not shift the others.
    const bool drop = chance(faults_.dropRate);
    const bool wrong = chance(faults_.wrongCodeRate);
    const bool corrupt = chance(faults_.corruptRate);
    if (drop)
        return;
    if (wrong) {
        reply[0] ^= 0x01;
        seal(reply);
    }
    if (corrupt)
        reply[kFrameSize - 1] ^= 0x01;
    ++repliesSent_;

    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < std::max(1, faults_.burst); ++i)
        bytes.insert(bytes.end(), reply.begin(), reply.end());

    const std::int64_t due = nowMs_ + std::int64_t{faults_.delayTicks} * kTickMs;
    if (faults_.split) {
        const std::size_t half = kFrameSize / 2;
        scheduled_.push_back({due, {bytes.begin(), bytes.begin() + half}});
        scheduled_.push_back({due + kTickMs, {bytes.begin() + half, bytes.end()}});
    } else {
        scheduled_.push_back({due, std::move(bytes)});
    }
    advance(0);
}

void SimulatedUnit::advance(int ms)
{
    nowMs_ += std::max(0, ms);
    while (!scheduled_.empty() && scheduled_.front().dueMs <= nowMs_) {
        auto& c = scheduled_.front().bytes;
        output_.insert(output_.end(), c.begin(), c.end());
        scheduled_.pop_front();
    }
    if (savingCountdown_ > 0 && ms > 0) {
        savingProgress_ += static_cast<double>(ms) * kSavingCountdownStart / kSavingMs;
        const int steps = static_cast<int>(savingProgress_);
        savingProgress_ -= steps;
        savingCountdown_ = std::max(0, savingCountdown_ - steps);
    }
    if (source_ && ms > 0)
        source_->advance(ms);
}

std::size_t SimulatedUnit::takeOutput(std::span<std::uint8_t> buffer)
{
    const std::size_t n = std::min(buffer.size(), output_.size());
    std::copy_n(output_.begin(), n, buffer.begin());
    output_.erase(output_.begin(), output_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

std::vector<std::uint8_t> SimulatedUnit::takeOutput()
{
    std::vector<std::uint8_t> out;
    out.swap(output_);
    return out;
}

void SimulatedUnit::clearOutput()
{
    output_.clear();
}

}  // namespace kestrin
