#include "files/service_save_all.h"

#include "files/atomic_file.h"
#include "files/ign_writer.h"
#include "files/service_folders.h"
#include "model/bike_defaults.h"
#include "model/document.h"

#include <QDir>

namespace kestrin {

SaveAllNewResult SaveAllNew(Document& doc, const std::string& base, const FileStepHooks& hooks)
{
    SaveAllNewResult result;
    result.folder = newIgnFolder(base);
    // Only the folder itself is created: a base folder that does not exist
    // is a mistake to report, not a place to create.
    const QDir baseDir(QString::fromStdString(base));
    result.folderReady = baseDir.exists() && baseDir.mkpath(QStringLiteral("new_ign"));
    if (!result.folderReady)
        return result;

    // Everything the defaults and the derived tables touch is given back at
    // the end, not only the image.
    const Document kept = doc;
    doc.activePage = 0;  // the command runs on the Bike page
    const auto names = bikeItemTexts();
    for (int code = 0; code < kServiceBikeItems; ++code) {
        PrepareDefaultSet(doc, code, hooks);
        const int item = ItemOfBikeCode(code);
        if (item < 0 || item >= static_cast<int>(names.size()))
            continue;  // a code the bike list does not show has no file name
        const std::string path = bikeFilePath(result.folder, names[static_cast<std::size_t>(item)]);
        if (writeFileAtomically(path, WriteParameterFile(doc.image, ignInfoTexts(doc))))
            ++result.written;
        else
            result.failed.push_back(path);
    }
    doc = kept;
    if (hooks.showControls)
        hooks.showControls();
    return result;
}

}  // namespace kestrin
