#include "files/ign_codepage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kestrin {

namespace {

constexpr const char* kCodePage = "windows-1250";

}  // namespace

std::string cp1250ToUtf8(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())  // a Qt without ICU: keep the bytes readable at least
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
    const QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return text.toStdString();
}

std::string utf8ToCp1250(std::string_view text)
{
    QStringEncoder encoder(kCodePage);
    const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!encoder.isValid())
        return unicode.toLatin1().toStdString();
    QByteArray bytes = encoder(unicode);
    // The converter marks what it cannot encode with SUB (0x1A); a text
    // typed by a user never holds that control character.
    bytes.replace('\x1a', '?');
    return bytes.toStdString();
}

}  // namespace kestrin
