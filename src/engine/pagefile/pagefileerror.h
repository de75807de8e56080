// The one failure of the report page file: a file that cannot be read or
// written, or is not a sound report page file.
#pragma once

#include <QString>

#include <stdexcept>

namespace accrua::engine::pagefile {

// The text names the file and what is wrong.
class PageFileError : public std::runtime_error {
public:
    explicit PageFileError(const QString &message);
    QString message() const;
};

} // namespace accrua::engine::pagefile
