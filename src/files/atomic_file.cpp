#include "files/atomic_file.h"

#include <QSaveFile>
#include <QString>

namespace kestrin {

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error)
{
    QSaveFile file(QString::fromStdString(path));
    auto fail = [&](const QString& what) {
        if (error)
            *error = what.toStdString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

}  // namespace kestrin
