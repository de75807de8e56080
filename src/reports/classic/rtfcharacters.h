// The characters of rich text files that name them indirectly: bytes of
// the Windows-1252 code page, characters named by control words, and the code
// page a font's character set stands for.
#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace accrua::reports::classic {

// A byte of Windows-1252 (Latin-1 but at 0x80..0x9F).
char16_t fromCp1252(unsigned char b);
QString decodeCp1252(const QByteArray &bytes);
// The character a control word such as "emdash" names; 0 for none.
char16_t namedCharacter(std::string_view word);
// The code page of a \fcharset value; 0: the document's own.
int codepageOfCharset(long long charset);

} // namespace accrua::reports::classic
