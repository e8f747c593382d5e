#pragma once
// Sequential access to the bytes of a parameter file, from memory or from a
// file read in pieces, so that a file of any size is scanned in constant
// memory. The reader only ever looks one byte ahead.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin::ign {

class Input {
public:
    static constexpr int kEnd = -1;

    explicit Input(std::string_view bytes) : view_(bytes) {}
    // Reads through `source`, which fills up to n bytes and returns how many
    // it gave (0 at the end), or -1 when reading failed.
    using Source = std::function<long long(char* data, std::size_t n)>;
    explicit Input(Source source) : source_(std::move(source)), buffer_(64 * 1024) {}

    int peek()
    {
        if (pushedBack_ != kEnd)
            return pushedBack_;
        if (pos_ == view_.size() && !refill())
            return kEnd;
        return static_cast<std::uint8_t>(view_[pos_]);
    }
    int get()
    {
        if (pushedBack_ != kEnd) {
            const int c = pushedBack_;
            pushedBack_ = kEnd;
            return c;
        }
        const int c = peek();
        if (c != kEnd)
            ++pos_;
        return c;
    }
    // Gives back the one byte just taken with get(), so that a sign that
    // turns out not to start a number stays in the text.
    void unget(int c) { pushedBack_ = c; }
    bool readFailed() const { return failed_; }

private:
    bool refill();

    std::string_view view_;
    std::size_t pos_ = 0;
    Source source_;
    std::vector<char> buffer_;
    bool failed_ = false;
    int pushedBack_ = kEnd;
};

// White space as the C library's scanf sees it.
inline bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Runs `read` over the plain file at `path`, read in pieces. False when
// `path` is no plain file (a device or a pipe picked by mistake has no end
// and would keep a reader scanning, or waiting, for ever), cannot be opened,
// or reading broke off; `read` has then seen at most part of the file.
bool readPlainFile(const std::string& path, const std::function<void(Input&)>& read);

// The token and number scanning shared by the readers of parameter files
// and of old maps files, so that both see a file's words alike.

void skipBlanks(Input& in);

// The next white-space-delimited token; false at the end of the file. A
// token longer than any keyword is consumed whole and comes back as a token
// that matches no keyword, so a token of any length costs no memory.
bool readToken(Input& in, std::string& token);

// Up to the end of the line, which is left in the input; a CR ends it too,
// so that a file with CR line ends loses no more than the rest of that line.
void skipLine(Input& in);

// An optional sign and decimal digits after any white space, taken modulo
// 65536 (a minus sign gives the two's complement). Anything else consumes
// nothing, leaves `number` as it was and returns false.
bool parseNumber(Input& in, std::uint16_t& number);

}  // namespace kestrin::ign
