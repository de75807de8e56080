#include "engine/pagefile/pagefileerror.h"

namespace accrua::engine::pagefile {

PageFileError::PageFileError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString PageFileError::message() const
{
    return QString::fromStdString(what());
}

} // namespace accrua::engine::pagefile
