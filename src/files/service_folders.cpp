#include "files/service_folders.h"

#include "model/bike_defaults.h"

#include <QDir>

#include <algorithm>

namespace kestrin {

namespace {

std::string join(const std::string& folder, const std::string& name)
{
    return QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace

std::string newIgnFolder(const std::string& base) { return join(base, "new_ign"); }

std::string oldIgnFolder(const std::string& base) { return join(base, "new_ign_old"); }

std::string bikeFilePath(const std::string& folder, const std::string& bikeItemText)
{
    return join(folder, bikeItemText + ".ign");
}

std::string compareReportPath(const std::string& base) { return join(newIgnFolder(base), "compare_all_new.txt"); }

std::span<const char* const> serviceBikeNames()
{
    const auto names = bikeItemTexts();
    return names.first(std::min<std::size_t>(names.size(), kServiceBikeItems));
}

}  // namespace kestrin
