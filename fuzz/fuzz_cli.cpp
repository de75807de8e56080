// accrua-cli's option reading and calculations on hostile argument vectors:
// the input is the arguments after the program name, separated by NUL
// bytes. Every vector must end (quickly: run with -timeout) in exit status
// 0, 1 or 2; results must be well-formed, and no payment or count schedule
// may pay on a balance already paid off.
#include "cli/cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Commands that only compute or read; those that write files or read other
// input (page files, report outputs, stored writes) have targets and tests
// of their own, and would make this one slow.
bool computesOnly(const QStringList &args)
{
    static const QStringList commands = {QStringLiteral("payment"),  QStringLiteral("count"),
                                         QStringLiteral("amortize"), QStringLiteral("daily"),
                                         QStringLiteral("savings"),  QStringLiteral("settings"),
                                         QStringLiteral("--help"),   QStringLiteral("--version")};
    if (args.isEmpty() || !commands.contains(args.first()))
        return args.isEmpty();
    for (const QString &a : args) {
        for (const char *writes : {"--set", "--pdf", "--arp", "--csv"}) {
            if (a.startsWith(QLatin1String(writes)))
                return false;
        }
    }
    return true;
}

void checkJson(const QString &command, const QString &out)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(out.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        std::abort();
    if (command != QLatin1String("payment") && command != QLatin1String("count"))
        return;
    // A solved loan's rows end at a zero balance: none follows one.
    bool paidOff = false;
    for (const QJsonValue &row : doc.object().value(QStringLiteral("rows")).toArray()) {
        if (paidOff)
            std::abort();
        paidOff = row.toObject().value(QStringLiteral("balance")).toString() == QLatin1String("0.00");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    static const accrua::cli::Services services{
        accrua::text::Locale(u'.', u',', 2, QStringLiteral("$"), true, QStringLiteral("M/d/yyyy")),
        accrua::settings::FileSettingsFactory(dir.filePath(QStringLiteral("Accrua.conf")))};

    QStringList args = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))
                           .split(QChar(u'\0'));
    if (args.size() > 40 || !computesOnly(args))
        return 0;
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = accrua::cli::run(args, o, e, services);
    o.flush();
    e.flush();
    if (status < 0 || status > 2)
        std::abort();
    // --help anywhere prints the usage instead.
    static const QStringList calculations = {QStringLiteral("payment"), QStringLiteral("count"),
                                             QStringLiteral("amortize"), QStringLiteral("daily"),
                                             QStringLiteral("savings")};
    if (status == 0 && calculations.contains(args.first()) && args.contains(QStringLiteral("--json")) &&
        !args.contains(QStringLiteral("--help")))
        checkJson(args.first(), out);
    return 0;
}
