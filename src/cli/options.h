// accrua-cli's command-line reading: "--name value" or "--name=value"
// options, flags without a value, and the two ways a command refuses what it
// was given.
#pragma once

#include <QHash>
#include <QMultiMap>
#include <QString>
#include <QStringList>

namespace accrua::cli {

// A command line the program cannot read: exit status 2, the text and a
// pointer to --help on stderr.
struct UsageError {
    QString text;
};

// A value the program read but refuses, in the words of the part that refused
// it (the settings store): exit status 1, the text on stderr.
struct Refusal {
    QString text;
};

class Options {
public:
    // `valued` options take a value, `flags` none; anything else, an option
    // given twice (but --setting and the `repeatable` ones), a flag's value
    // or a missing value is a UsageError.
    Options(const QStringList &args, const QStringList &valued, const QStringList &flags,
            const QStringList &repeatable = {});

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    // Every value of a repeatable option, the last given first.
    QStringList values(const QString &name) const { return m_values.values(name); }
    // The value, or a UsageError naming the missing option.
    QString required(const QString &name) const;

private:
    QMultiMap<QString, QString> m_values;
};

// The --setting NAME=VALUE overrides, in the store's encoding, through the
// store's own check. Names are not case-sensitive. A pair without NAME= or an
// unknown name is a UsageError; a value that does not fit its setting is a
// Refusal with the text "settings --set" gives for it.
QHash<QString, QString> settingOverrides(const Options &options);

} // namespace accrua::cli
