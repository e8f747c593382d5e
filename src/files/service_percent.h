#pragma once
// "Uloz Map %": the four injector maps and the IAP map in percent of their
// base maps, each after its own RPM axis, in the layout of a parameter file
// but without its key line, so that the parameter file reader never takes
// such a file for a parameter set.

#include "model/derived_tables.h"
#include "model/image.h"

#include <array>
#include <string>

namespace kestrin {

class Document;

// Sections RPM_JET_1A, JET_1A, ... RPM_JET_4A, JET_4A, RPM_IAP, IAP; the map
// sections hold `percent` (Inj-1A, 2A, 3A, 4A, IAP) instead of the cells.
std::string percentExportText(const ParameterImage& image, const std::array<InjectionTable, 5>& percent);

// Writes the export of `doc` atomically. The caller has run the before-save
// steps, which bring the percent arrays up to date. False when the file
// could not be written (the window then shows "Open file error!").
bool savePercentExport(const Document& doc, const std::string& path);

}  // namespace kestrin
