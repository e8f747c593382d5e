#include "link/sim/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kestrin::sim {

namespace {

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PseudoTerminal::~PseudoTerminal() { close(); }

bool PseudoTerminal::open()
{
    close();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error_ = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 || ::ptsname_r(master_, name, sizeof name) != 0) {
        error_ = systemError("pseudo-terminal");
        close();
        return false;
    }
    path_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) {
        error_ = systemError(name);
        close();
        return false;
    }
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0) {
        error_ = systemError("tcgetattr");
        close();
        return false;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    tio.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0) {
        error_ = systemError("tcsetattr");
        close();
        return false;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PseudoTerminal::close()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
    path_.clear();
}

int PseudoTerminal::read(std::span<std::uint8_t> buffer)
{
    if (master_ < 0 || buffer.empty())
        return 0;
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    return n > 0 ? static_cast<int>(n) : 0;
}

bool PseudoTerminal::write(std::span<const std::uint8_t> bytes, int timeoutMs)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (master_ < 0)
            return false;
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        pollfd p{master_, POLLOUT, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return false;
    }
    return true;
}

}  // namespace kestrin::sim

namespace kestrin::sim {

void PseudoTerminal::discardUnread()
{
    if (slave_ >= 0)
        ::tcflush(slave_, TCIFLUSH);
}

void PseudoTerminal::releaseExclusive()
{
#ifdef TIOCNXCL
    if (slave_ >= 0)
        ::ioctl(slave_, TIOCNXCL);
#endif
}

}  // namespace kestrin::sim
