// Where a face lives: fontconfig's best match for a family and style, the
// same choice Qt's font database makes from fontconfig's lists.
#pragma once

#include <QString>

#include <optional>

namespace accrua::engine::fonts {

struct FaceLocation {
    QString path;
    int index = 0; // the face within a collection
    friend bool operator==(const FaceLocation &, const FaceLocation &) = default;
};

std::optional<FaceLocation> locate(const QString &family, bool bold, bool italic);

// Remembers the faces located in the file at `path` (read now, rewritten
// when a face is located anew), so that later runs need not load
// fontconfig's configuration, which costs more than a short report. What is
// remembered stands while fontconfig's configuration files, its font
// folders, the face files and the environment that steers fontconfig are as
// they were; otherwise it is forgotten. Without a call nothing is kept.
void rememberLocationsIn(const QString &path);

} // namespace accrua::engine::fonts
