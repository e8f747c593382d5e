#pragma once
// "Compare All New": every bike's file in new_ign compared line by line with
// the file of the same name in new_ign_old, the findings written as a report
// (new_ign/compare_all_new.txt) for the people who prepare the default sets.

#include <span>
#include <string>
#include <vector>

namespace kestrin {

// The lines of a text as a text editor shows them: CR LF, LF and a lone CR
// each end a line, and a break at the very end opens no further line.
std::vector<std::string> splitTextLines(const std::string& text);

// The report part for one pair of files: for each line number (from 1) up to
// the shorter file's length where the lines differ, "....line:" and the
// number, the old line with every character that equals the new line's
// character at the same place blanked (so the differences stand out), and
// the new line. Lines beyond the shorter file are not reported.
std::string compareLines(const std::vector<std::string>& oldLines, const std::vector<std::string>& newLines,
                         int* differences = nullptr);

struct CompareAllResult {
    std::string reportPath;
    bool reportWritten = false;
    int differingLines = 0;
    int missingOld = 0;  // bikes without a file in new_ign_old
    int missingNew = 0;  // bikes without a file in new_ign
    bool allEqual() const { return differingLines == 0 && missingOld == 0 && missingNew == 0; }
};

// The whole report text for `bikeNames` (the bike list entries in list
// order); `base` holds new_ign and new_ign_old.
std::string compareAllNewReport(const std::string& base, std::span<const char* const> bikeNames,
                                CompareAllResult& result);

// Compares the first 61 bikes of the bike list and writes the report
// atomically. A report that cannot be written is reported in the result
// (the window shows "Open file error!" for it).
CompareAllResult CompareAllNew(const std::string& base);

// The closing message: Results in file "<report path>".
std::string compareResultMessage(const std::string& reportPath);

}  // namespace kestrin
