#pragma once
// A small argument parser shared by every kestrin-cli command: positional
// arguments, `--name value` options and `--flag` switches.

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrin::cli {

class UsageError : public std::exception {
public:
    explicit UsageError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

class Args {
public:
    // `valued` names the options that take a value (e.g. "-o", "--port"),
    // `flags` those that do not. Anything else starting with "-" is an error.
    Args(const std::vector<std::string>& argv, std::initializer_list<const char*> valued,
         std::initializer_list<const char*> flags);

    const std::vector<std::string>& positional() const { return positional_; }
    std::optional<std::string> value(const std::string& name) const;
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }

    // Requires exactly `min`..`max` positional arguments.
    void expectPositional(std::size_t min, std::size_t max, const char* usage) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

// Parses a whole decimal number in [lo, hi]; throws UsageError naming `what`.
int parseInt(const std::string& text, int lo, int hi, const char* what);

}  // namespace kestrin::cli
