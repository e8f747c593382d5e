#pragma once
// The message table: the 96 language-dependent texts that the other parts of
// the program show in messages and compose into labels. Texts are UTF-8.

#include <array>
#include <string>

namespace kestrin {

enum Language { English = 0, German = 1, French = 2, Czech = 3 };
inline constexpr int kLanguageCount = 4;
inline constexpr int kMessageCount = 96;

class MessageTable {
public:
    explicit MessageTable(int language = English) { fill(language); }

    // The message half of the language routine: refills every entry for
    // `language`. `cylinderCount` is image byte CylinderCount (entry 56).
    void fill(int language, int cylinderCount = 4);

    int language() const { return language_; }
    const std::string& operator[](int index) const;

    // Entry 1, the current file name, is set by the file commands.
    void setFileName(const std::string& name) { entries_[1] = name; }

private:
    int language_ = English;
    std::array<std::string, kMessageCount> entries_;
};

}  // namespace kestrin
