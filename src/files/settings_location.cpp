#include "files/settings_location.h"

#include "app/build_stamp.h"

#include <QDir>
#include <QStandardPaths>
#include <QtGlobal>

namespace kestrin {

std::string settingsFileName() { return "Kestrin_2007_v" + std::to_string(kProgramVersion) + ".ini"; }

std::string snapshotFileName() { return "_" + settingsFileName(); }

SettingsLocation SettingsLocation::inDirectory(const std::string& directory)
{
    const QDir dir(QString::fromStdString(directory));
    auto file = [&](const std::string& name) { return dir.filePath(QString::fromStdString(name)).toStdString(); };
    return {file(settingsFileName()), file(snapshotFileName()), file(kServiceMarkerFileName)};
}

SettingsLocation SettingsLocation::standard()
{
#ifdef Q_OS_WIN
    const QString windows = qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows"));
    return {QDir(windows).filePath(QString::fromStdString(settingsFileName())).toStdString(),
            "c:\\windows\\" + snapshotFileName(), std::string("c:\\") + kServiceMarkerFileName};
#else
    // GenericConfigLocation is $XDG_CONFIG_HOME, else ~/.config.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return inDirectory(QDir(base).filePath(QStringLiteral("Kestrin_2007")).toStdString());
#endif
}

SettingsLocation SettingsLocation::choose(const std::optional<std::string>& directory)
{
    return directory ? inDirectory(*directory) : standard();
}

}  // namespace kestrin
