// The accrua-cli program's exact bytes on standard output and standard error,
// and its exit status, for the cases under golden/: NAME.args holds the
// arguments one per line; NAME.out, NAME.err and NAME.status what the program
// gives for them. The program runs as a user runs it, in the C locale with a
// settings store of its own. ACCRUA_UPDATE_GOLDEN=1 rewrites the expectations.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const QString kGoldenDir = QStringLiteral(ACCRUA_GOLDEN_DIR);

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    const QStringList files = QDir(kGoldenDir).entryList({QStringLiteral("*.args")}, QDir::Files, QDir::Name);
    for (const QString &f : files)
        names.push_back(f.chopped(5).toStdString());
    return names;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing " + path.toUtf8() + ">");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputIsByteForByteAsRecorded)
{
    const QString base = kGoldenDir + QLatin1Char('/') + QString::fromStdString(GetParam());
    QStringList args = QString::fromUtf8(readFile(base + QStringLiteral(".args"))).split(QLatin1Char('\n'));
    if (!args.isEmpty() && args.last().isEmpty())
        args.removeLast();

    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANG", "LANGUAGE", "LC_NUMERIC", "LC_MONETARY", "LC_TIME"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(home.path());
    p.start(QStringLiteral(ACCRUA_CLI_PATH), args);
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitStatus(), QProcess::NormalExit);
    const QByteArray out = p.readAllStandardOutput();
    const QByteArray err = p.readAllStandardError();
    const QByteArray status = QByteArray::number(p.exitCode()) + '\n';

    if (accrua::testsupport::updateGolden()) {
        writeFile(base + QStringLiteral(".out"), out);
        writeFile(base + QStringLiteral(".err"), err);
        writeFile(base + QStringLiteral(".status"), status);
        return;
    }
    EXPECT_EQ(status.toStdString(), readFile(base + QStringLiteral(".status")).toStdString());
    EXPECT_EQ(out.toStdString(), readFile(base + QStringLiteral(".out")).toStdString());
    EXPECT_EQ(err.toStdString(), readFile(base + QStringLiteral(".err")).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string> &row) {
                             std::string name = row.param;
                             for (char &c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

} // namespace
