// The settings file's line editor on any bytes, without QSettings: setting a
// value never crashes or hangs, setting it again changes nothing, and a value
// just set is never taken for a serialized one.
#include "settings/inifile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace accrua::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)FindSerializedValue(content);
    // The value is the input's own first bytes, so that quotes, escapes,
    // line breaks and '@' reach the encoder too.
    const QString text = QString::fromUtf8(content.left(48)).remove(QChar(u'\0'));
    const QString name = QStringLiteral("TITLE");
    const QByteArray once = SetValueInStoreFile(content, name, text);
    if (SetValueInStoreFile(once, name, text) != once)
        std::abort();
    if (!FindSerializedValue(content) && FindSerializedValue(once) == name)
        std::abort();
    return 0;
}
