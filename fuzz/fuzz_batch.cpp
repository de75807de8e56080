// accrua-cli batch on hostile input: any bytes as its request lines. The
// batch must read them all (status 0) and answer every line that is not
// blank with one JSON object whose "exit" is 0, 1 or 2, in order.
#include "cli/batchcommand.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    static const accrua::cli::Services services{
        accrua::text::Locale(u'.', u',', 2, QStringLiteral("$"), true, QStringLiteral("M/d/yyyy")),
        accrua::settings::FileSettingsFactory(dir.filePath(QStringLiteral("Accrua.conf")))};
    if (size > 16 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    qint64 at = 0;
    // Handed over in small pieces, so that lines cross the reads.
    const accrua::cli::BatchInput input = [&](char *to, qint64 room, QString &) -> qint64 {
        const qint64 n = std::min({room, qint64{7}, bytes.size() - at});
        std::copy_n(bytes.constData() + at, n, to);
        at += n;
        return n;
    };
    QString out, err;
    QTextStream o(&out), e(&err);
    const QStringList args =
        size % 2 ? QStringList{QStringLiteral("--rows"), QStringLiteral("none")} : QStringList{};
    if (accrua::cli::runBatchCommand(args, input, o, e, services) != 0)
        std::abort();
    o.flush();

    qsizetype requests = 0;
    for (const QByteArray &line : bytes.split('\n'))
        requests += line.trimmed().isEmpty() ? 0 : 1;
    const QStringList answers = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (answers.size() != requests)
        std::abort();
    for (const QString &answer : answers) {
        const QJsonDocument doc = QJsonDocument::fromJson(answer.toUtf8());
        const int exit = doc.object().value(QStringLiteral("exit")).toInt(-1);
        if (!doc.isObject() || exit < 0 || exit > 2)
            std::abort();
    }
    return 0;
}
