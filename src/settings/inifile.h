// The settings file as text, without QSettings: its logical lines split as
// QSettings splits them, a value encoded so that QSettings reads it back
// unchanged, one value set in place with every other byte kept, and the
// values QSettings would decode from a serialized form. The store uses it to
// refuse a hostile file before QSettings parses it and to write hand-edited
// files without losing their comments.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace accrua::settings {

// The stored form of a text after "NAME=": QSettings reads it back as
// exactly this text (commas, quotes, line breaks, a leading '@' and all).
QByteArray EncodeStoredText(const QString &text);

// The store file's bytes with NAME set to `text` in its General section:
// the line that held NAME is replaced (later duplicates dropped), or a line is
// added; every other byte stays as it was, comments and hand edits included.
QByteArray SetValueInStoreFile(const QByteArray &content, const QString &name, const QString &text);

// The name of the first value in a store file's text that QSettings would
// decode from a serialized form (@Variant, @DateTime, or an '@' hidden in an
// escape), or nothing. Such a file is refused before QSettings parses it,
// since decoding trusts the sizes in the file; every operation on it fails
// with "Invalid data type for '%s'" naming that value.
std::optional<QString> FindSerializedValue(const QByteArray &content);

} // namespace accrua::settings
