#include "engine/fonts/locate.h"

#include "fileio/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

namespace accrua::engine::fonts {

namespace {

constexpr qint64 kMaxCacheBytes = qint64(256) * 1024;
constexpr char kCacheHeader[] = "accrua face locations 1";

// What fontconfig reads besides its files.
constexpr const char *kEnvironment[] = {"FONTCONFIG_FILE",
                                        "FONTCONFIG_PATH",
                                        "FONTCONFIG_SYSROOT",
                                        "FC_LANG",
                                        "LC_ALL",
                                        "LC_CTYPE",
                                        "LANG",
                                        "LANGUAGE",
                                        "HOME",
                                        "XDG_CONFIG_HOME",
                                        "XDG_DATA_HOME"};

using Key = std::tuple<QString, bool, bool>;

// A file or folder as it is now: "-" when it is not there.
QString stateOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("-");
    return QStringLiteral("%1:%2:%3.%4")
        .arg(quint64(st.st_ino))
        .arg(qint64(st.st_size))
        .arg(qint64(st.st_mtim.tv_sec))
        .arg(qint64(st.st_mtim.tv_nsec));
}

QString environmentOf(const char *name)
{
    return qEnvironmentVariableIsSet(name) ? QStringLiteral("=") + qEnvironmentVariable(name)
                                           : QStringLiteral("-");
}

struct Cache {
    std::mutex lock;
    QString path; // empty: nothing is remembered
    std::map<Key, FaceLocation> faces;
};

Cache &cache()
{
    static Cache c;
    return c;
}

std::optional<FaceLocation> lookUp(const QString &family, bool bold, bool italic)
{
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), FcPatternDestroy);
    if (!pattern)
        return std::nullopt;
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
    if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern))
        return std::nullopt;
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(
        FcFontMatch(nullptr, pattern.get(), &result), FcPatternDestroy);
    if (!match || result != FcResultMatch)
        return std::nullopt;
    FcChar8 *file = nullptr;
    int index = 0;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
        return std::nullopt;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    // A named instance of a variable face (upper bits) is not a plain face
    // of the file: leave it to Qt.
    if (index < 0 || index > 0xFFFF)
        return std::nullopt;
    return FaceLocation{QString::fromUtf8(reinterpret_cast<const char *>(file)), index};
}

// Everything whose change may change fontconfig's answers: the files and
// folders of its configuration (also the optional ones not there now), its
// font folders, and the faces found.
std::vector<QString> watched(const std::map<Key, FaceLocation> &faces)
{
    std::vector<QString> paths;
    auto add = [&paths](FcStrList *list) {
        if (!list)
            return;
        while (FcChar8 *s = FcStrListNext(list))
            paths.push_back(QString::fromUtf8(reinterpret_cast<const char *>(s)));
        FcStrListDone(list);
    };
    FcConfig *config = FcConfigGetCurrent();
    add(FcConfigGetConfigFiles(config));
    add(FcConfigGetConfigDirs(config));
    add(FcConfigGetFontDirs(config));
    const QString home = QDir::homePath();
    const QString configHome = qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")
                                   ? home + QStringLiteral("/.config")
                                   : qEnvironmentVariable("XDG_CONFIG_HOME");
    for (const QString &p :
         QStringList{configHome + QStringLiteral("/fontconfig"),
                     configHome + QStringLiteral("/fontconfig/fonts.conf"),
                     configHome + QStringLiteral("/fontconfig/conf.d"), home + QStringLiteral("/.fonts.conf"),
                     home + QStringLiteral("/.fonts.conf.d"), QStringLiteral("/etc/fonts/local.conf")})
        paths.push_back(p);
    for (const auto &[key, where] : faces)
        paths.push_back(where.path);
    return paths;
}

// The remembered faces, when everything they depend on is as it was.
std::map<Key, FaceLocation> readCache(const QString &path)
{
    // Only a regular file: a FIFO put there would otherwise hold every report.
    const std::optional<QByteArray> bytes = fileio::readRegularFile(path, kMaxCacheBytes, nullptr);
    if (!bytes)
        return {};
    const QList<QByteArray> lines = bytes->split('\n');
    if (lines.isEmpty() || lines.first() != kCacheHeader)
        return {};
    std::map<Key, FaceLocation> faces;
    size_t environment = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QStringList f = QString::fromUtf8(lines[i]).split(QLatin1Char('\t'));
        if (f[0] == QLatin1String("env") && f.size() == 3) {
            if (environment >= std::size(kEnvironment) || f[1] != QLatin1String(kEnvironment[environment]) ||
                f[2] != environmentOf(kEnvironment[environment]))
                return {};
            ++environment;
        } else if (f[0] == QLatin1String("watch") && f.size() == 3) {
            if (stateOf(f[1]) != f[2])
                return {};
        } else if (f[0] == QLatin1String("face") && f.size() == 6) {
            bool ok = false;
            const int index = f[5].toInt(&ok);
            if (!ok || index < 0 || f[4].isEmpty())
                return {};
            faces[{f[1], f[2] == QLatin1String("1"), f[3] == QLatin1String("1")}] = {f[4], index};
        } else {
            return {};
        }
    }
    if (environment != std::size(kEnvironment))
        return {};
    return faces;
}

// Best effort: a cache that cannot be written only costs the next run time.
void writeCache(const QString &path, const std::map<Key, FaceLocation> &faces)
{
    QByteArray out(kCacheHeader);
    out.append('\n');
    for (const char *name : kEnvironment)
        out.append("env\t" + QByteArray(name) + '\t' + environmentOf(name).toUtf8() + '\n');
    for (const QString &p : watched(faces))
        out.append("watch\t" + p.toUtf8() + '\t' + stateOf(p).toUtf8() + '\n');
    for (const auto &[key, where] : faces) {
        const auto &[family, bold, italic] = key;
        if (family.contains(QLatin1Char('\t')) || family.contains(QLatin1Char('\n')) ||
            where.path.contains(QLatin1Char('\t')) || where.path.contains(QLatin1Char('\n')))
            continue;
        out.append("face\t" + family.toUtf8() + (bold ? "\t1" : "\t0") + (italic ? "\t1\t" : "\t0\t") +
                   where.path.toUtf8() + '\t' + QByteArray::number(where.index) + '\n');
    }
    if (out.size() > kMaxCacheBytes)
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    fileio::writeFile(path, out);
}

} // namespace

void rememberLocationsIn(const QString &path)
{
    Cache &c = cache();
    const std::lock_guard guard(c.lock);
    c.path = path;
    c.faces = path.isEmpty() ? std::map<Key, FaceLocation>{} : readCache(path);
}

std::optional<FaceLocation> locate(const QString &family, bool bold, bool italic)
{
    Cache &c = cache();
    const std::lock_guard guard(c.lock);
    const Key key{family, bold, italic};
    if (auto it = c.faces.find(key); it != c.faces.end())
        return it->second;
    std::optional<FaceLocation> where = lookUp(family, bold, italic);
    if (where && !c.path.isEmpty()) {
        c.faces[key] = *where;
        writeCache(c.path, c.faces);
    }
    return where;
}

} // namespace accrua::engine::fonts
