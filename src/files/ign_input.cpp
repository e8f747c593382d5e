#include "files/ign_input.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

namespace kestrin::ign {

namespace {

// Longer than any keyword.
constexpr std::size_t kTokenKeep = 32;

}  // namespace

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

bool readPlainFile(const std::string& path, const std::function<void(Input&)>& read)
{
    const QString name = QString::fromStdString(path);
    if (!QFileInfo(name).isFile())
        return false;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    Input input([&file](char* data, std::size_t n) {
        return static_cast<long long>(file.read(data, static_cast<qint64>(n)));
    });
    read(input);
    return !input.readFailed();
}

void skipBlanks(Input& in)
{
    while (isBlank(in.peek()))
        in.get();
}

bool readToken(Input& in, std::string& token)
{
    skipBlanks(in);
    token.clear();
    if (in.peek() == Input::kEnd)
        return false;
    bool tooLong = false;
    for (int c = in.peek(); c != Input::kEnd && !isBlank(c); c = in.peek()) {
        in.get();
        if (token.size() < kTokenKeep)
            token.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (tooLong)
        token.assign(1, '\0');  // matches nothing
    return true;
}

void skipLine(Input& in)
{
    for (int c = in.peek(); c != Input::kEnd && c != '\n' && c != '\r'; c = in.peek())
        in.get();
}

bool parseNumber(Input& in, std::uint16_t& number)
{
    skipBlanks(in);
    const int first = in.peek();
    bool negative = false;
    if (first == '-' || first == '+') {
        in.get();
        if (in.peek() < '0' || in.peek() > '9') {
            in.unget(first);
            return false;
        }
        negative = first == '-';
    } else if (first < '0' || first > '9') {
        return false;
    }
    unsigned value = 0;
    while (in.peek() >= '0' && in.peek() <= '9')
        value = (value * 10 + static_cast<unsigned>(in.get() - '0')) & 0xFFFFu;
    number = static_cast<std::uint16_t>(negative ? (0x10000u - value) & 0xFFFFu : value);
    return true;
}

}  // namespace kestrin::ign
