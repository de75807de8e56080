#include "cli/batchcommand.h"

#include "cli/calccommands.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/plancommand.h"
#include "cli/reportoptions.h"
#include "fileio/safefile.h"
#include "settings/store.h"
#include "settings/values.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace accrua::cli {

namespace {

const QStringList kCommands = {
    QStringLiteral("payment"), QStringLiteral("count"), QStringLiteral("amortize"), QStringLiteral("daily"),
    QStringLiteral("savings"), QStringLiteral("plan"),  QStringLiteral("apr")};

// Lines of the input, each at most kMaxBatchLineBytes long. Before it waits
// for more input it calls `waiting`, so that a script that writes one request
// and waits for its answer gets it.
class LineReader {
public:
    enum class Status { Line, TooLong, End, Failed };

    LineReader(const BatchInput &input, std::function<void()> waiting)
        : m_input(input), m_waiting(std::move(waiting))
    {
    }

    Status next(QByteArray &line)
    {
        for (;;) {
            const qsizetype nl = m_buffer.indexOf('\n', std::max(m_start, m_scanned));
            if (nl >= 0) {
                const bool skipped = m_skipping;
                m_skipping = false;
                const qsizetype length = nl - m_start;
                const qsizetype start = m_start;
                m_start = nl + 1;
                if (skipped)
                    continue;
                // By its length alone, wherever the reads cut the input.
                if (length > kMaxBatchLineBytes)
                    return Status::TooLong;
                line = m_buffer.mid(start, length);
                return Status::Line;
            }
            m_scanned = m_buffer.size();
            if (m_buffer.size() - m_start > kMaxBatchLineBytes) {
                m_buffer.clear();
                m_start = m_scanned = 0;
                if (!m_skipping) {
                    m_skipping = true;
                    return Status::TooLong;
                }
            }
            if (m_ended) {
                if (m_start == m_buffer.size() || m_skipping)
                    return Status::End;
                line = m_buffer.mid(m_start);
                m_start = m_buffer.size();
                return Status::Line;
            }
            // The lines read are dropped only now, once per read, not once per line.
            m_buffer.remove(0, m_start);
            m_scanned -= m_start;
            m_start = 0;
            m_waiting();
            const qsizetype at = m_buffer.size();
            m_buffer.resize(at + kChunk);
            const qint64 n = m_input(m_buffer.data() + at, kChunk, m_why);
            m_buffer.resize(at + std::max<qint64>(n, 0));
            if (n < 0)
                return Status::Failed;
            if (n == 0)
                m_ended = true;
        }
    }

    QString why() const { return m_why; }

private:
    static constexpr qint64 kChunk = qint64{64} * 1024;

    const BatchInput &m_input;
    std::function<void()> m_waiting;
    QByteArray m_buffer;
    qsizetype m_start = 0;   // where the next line begins in m_buffer
    qsizetype m_scanned = 0; // bytes of m_buffer known to hold no line end
    bool m_skipping = false; // inside a line that was too long
    bool m_ended = false;
    QString m_why;
};

// Results are sent on when this much is waiting, and whenever the input has
// to be waited for.
constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

// A request line read as the arguments of its command: "principal": "1000"
// becomes --principal 1000, the "setting" object one --setting NAME=VALUE per
// member. Throws UsageError for anything else.
struct Request {
    QString command;
    QStringList args;
    QHash<QString, QString> outputs; // option name -> the file as the line names it
};

const QStringList kOutputKeys = {kPdfOutput, kArpOutput, kCsvOutput, kClassicOutput};

bool inside(const QString &path, const QString &folder)
{
    return path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// Where a line's output `name` (relative to the output folder, canonical)
// is written: a UsageError when there is no folder, or when the name or a
// link on its way leads out of it.
QString outputPath(const QString &folder, const QString &key, const QString &name)
{
    if (folder.isEmpty())
        throw UsageError{
            QStringLiteral("\"%1\" writes into the folder --output-dir names; the batch has none").arg(key)};
    if (name.isEmpty() || name == QLatin1String("-"))
        throw UsageError{QStringLiteral("\"%1\" needs a file name in the output folder").arg(key)};
    const QString clean = QDir::cleanPath(name);
    if (QDir::isAbsolutePath(name) || clean == QLatin1String("..") || clean.startsWith(QLatin1String("../")))
        throw UsageError{
            QStringLiteral("\"%1\": \"%2\" is not a name inside the output folder").arg(key, name)};
    QString path = folder + u'/' + clean;
    // A write follows links: where it lands must be inside the folder too.
    QFileInfo landing(path);
    if (landing.isSymLink())
        landing.setFile(landing.symLinkTarget());
    const QString parent = QFileInfo(landing.absolutePath()).canonicalFilePath();
    if (parent.isEmpty())
        throw Refusal{QStringLiteral("\"%1\": the folder of \"%2\" is not there").arg(key, name)};
    const QString place = landing.exists() ? landing.canonicalFilePath() : parent + u'/' + landing.fileName();
    if (!inside(place, folder) || (!landing.exists() && landing.isSymLink()))
        throw UsageError{QStringLiteral("\"%1\": \"%2\" leads out of the output folder").arg(key, name)};
    return path;
}

// `folder`: the canonical output folder, empty without --output-dir. Only
// the calculations with report pages take outputs; plan and apr refuse them
// themselves.
Request requestOf(const QJsonObject &line, const QString &folder)
{
    Request r;
    const QJsonValue command = line.value(QStringLiteral("command"));
    if (!command.isString())
        throw UsageError{QStringLiteral("a request needs \"command\": one of %1").arg(kCommands.join(u", "))};
    r.command = command.toString();
    if (!kCommands.contains(r.command))
        throw UsageError{QStringLiteral("a batch runs %1, not '%2'").arg(kCommands.join(u", "), r.command)};
    for (auto it = line.begin(); it != line.end(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("command") || key == QLatin1String("id"))
            continue;
        if (key == QLatin1String("setting")) {
            if (!it.value().isObject())
                throw UsageError{QStringLiteral("\"setting\" takes an object of NAME: \"VALUE\" members")};
            const QJsonObject settings = it.value().toObject();
            for (auto s = settings.begin(); s != settings.end(); ++s) {
                if (!s.value().isString())
                    throw UsageError{QStringLiteral("setting %1 needs a text value").arg(s.key())};
                r.args << QStringLiteral("--setting") << s.key() + QLatin1Char('=') + s.value().toString();
            }
            continue;
        }
        // A list repeats its option: "lump": ["12:5000", "24:5000"].
        if (it.value().isArray()) {
            for (const QJsonValue v : it.value().toArray()) {
                if (!v.isString())
                    throw UsageError{
                        QStringLiteral("\"%1\" needs a list of texts, like [\"12:5000\"]").arg(key)};
                r.args << QStringLiteral("--") + key << v.toString();
            }
            continue;
        }
        // Values are texts, as typed: a JSON number would lose how it was
        // written and could not carry the user's decimal separator.
        if (!it.value().isString())
            throw UsageError{QStringLiteral("\"%1\" needs a text value, like \"100000\"").arg(key)};
        QString value = it.value().toString();
        if (kOutputKeys.contains(key) && r.command != QLatin1String("plan") &&
            r.command != QLatin1String("apr")) {
            r.outputs.insert(key, value);
            value = outputPath(folder, key, value);
        }
        r.args << QStringLiteral("--") + key << value;
    }
    return r;
}

// A member of a request line's object as it was written: its key as JSON
// reads it and its value's text, untouched.
struct RawMember {
    QString key;
    QByteArrayView value;
};

bool isJsonBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qsizetype skipBlanks(QByteArrayView text, qsizetype i)
{
    while (i < text.size() && isJsonBlank(text[i]))
        ++i;
    return i;
}

// One past the closing quote of the string that opens at `i`.
qsizetype stringEnd(QByteArrayView text, qsizetype i)
{
    for (++i; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '"')
            return i + 1;
    }
    return text.size();
}

// One past the end of the value that starts at `i`.
qsizetype valueEnd(QByteArrayView text, qsizetype i)
{
    if (text[i] == '"')
        return stringEnd(text, i);
    if (text[i] != '{' && text[i] != '[') {
        while (i < text.size() && !isJsonBlank(text[i]) && text[i] != ',' && text[i] != '}' && text[i] != ']')
            ++i;
        return i;
    }
    int depth = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            i = stringEnd(text, i);
            continue;
        }
        ++i;
        if (c == '{' || c == '[')
            ++depth;
        else if ((c == '}' || c == ']') && --depth == 0)
            return i;
    }
    return i;
}

// The members of an object's text, in order. The line has been read by
// QJsonDocument already, so it is well formed.
std::vector<RawMember> rawMembers(QByteArrayView object)
{
    std::vector<RawMember> members;
    qsizetype i = skipBlanks(object, 0) + 1; // past '{'
    for (;;) {
        i = skipBlanks(object, i);
        if (i >= object.size() || object[i] != '"')
            return members;
        const qsizetype keyEnd = stringEnd(object, i);
        const QByteArray key = '[' + object.sliced(i, keyEnd - i).toByteArray() + ']';
        i = skipBlanks(object, skipBlanks(object, keyEnd) + 1); // past ':'
        const qsizetype end = valueEnd(object, i);
        members.push_back({QJsonDocument::fromJson(key).array().at(0).toString(), object.sliced(i, end - i)});
        i = skipBlanks(object, end);
        if (i < object.size() && object[i] == ',')
            ++i;
    }
}

// A key given twice is refused, as an option given twice on the command line
// is: JSON keeps the last one, which would answer a question not asked.
void refuseRepeatedKeys(const std::vector<RawMember> &members)
{
    QSet<QString> seen;
    for (const RawMember &m : members) {
        if (seen.contains(m.key))
            throw UsageError{QStringLiteral("\"%1\" given twice").arg(m.key)};
        seen.insert(m.key);
        if (m.key == QLatin1String("setting") && m.value.startsWith('{'))
            refuseRepeatedKeys(rawMembers(m.value));
    }
}

// The request's "id" as it was written (a large integer or 1.0 stays as it is).
std::string idOf(const std::vector<RawMember> &members)
{
    std::string id;
    for (const RawMember &m : members) {
        if (m.key == QLatin1String("id"))
            id.assign(m.value.data(), static_cast<std::size_t>(m.value.size()));
    }
    return id;
}

// The settings every line starts from: the stored values, read once, with
// the batch's --setting values over them, and the store's file. Nothing when
// the store cannot be read whole; each line then reads it itself and reports
// the failure as the single command would.
struct StoredSettings {
    QHash<QString, QString> values;
    QString file;
};

std::optional<StoredSettings> settingsOnce(const Services &services, const QHash<QString, QString> &overrides)
{
    settings::SettingsStore store(services.settings);
    store.setOverrides(overrides);
    StoredSettings stored;
    try {
        for (const settings::SettingSpec &spec : settings::settingSpecs())
            stored.values.insert(spec.name, store.readText(spec.name).value_or(spec.defaultText));
        stored.file = store.fileName();
    } catch (const settings::SettingsError &) {
        return std::nullopt;
    }
    return stored;
}

// Writes a calculated line's outputs, text ones first; the names of those
// written (as the line names them) go to `written`. The failure's message
// when one could not be written: it and the later ones are not.
std::optional<QString> writeOutputs(const Calculated &c, const Services &services, const Drawing *drawing,
                                    QTextStream &out, const QHash<QString, QString> &names,
                                    QStringList &written)
{
    QStringList done;
    std::optional<QString> failure = writeTextOutputs(c.outputs, c.page, c.model, services.today, out, &done);
    if (!failure && c.outputs.drawn())
        failure = drawing->writeReports(c.outputs, c.page, c.model, services.today, &done);
    for (const QString &option : done)
        written << names.value(option);
    return failure;
}

void flushDevice(QTextStream &out)
{
    if (auto *file = qobject_cast<QFileDevice *>(out.device()))
        file->flush();
}

} // namespace

BatchInput processStandardInput()
{
    return [](char *data, qint64 size, QString &why) -> qint64 {
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, data, static_cast<std::size_t>(size));
            if (n >= 0)
                return n;
            if (errno != EINTR) {
                why = QString::fromLocal8Bit(std::strerror(errno));
                return -1;
            }
        }
    };
}

int runBatchCommand(const QStringList &args, const BatchInput &standardInput, QTextStream &out,
                    QTextStream &err, const Services &services, const Drawing *drawing)
{
    const Options o(args,
                    {QStringLiteral("input"), QStringLiteral("setting"), QStringLiteral("rows"),
                     QStringLiteral("output-dir")},
                    {});
    QString folder;
    if (o.has(QStringLiteral("output-dir"))) {
        const QFileInfo info(o.value(QStringLiteral("output-dir")));
        folder = info.canonicalFilePath();
        if (!info.isDir() || folder.isEmpty())
            throw UsageError{QStringLiteral("--output-dir takes a folder, not \"%1\"")
                                 .arg(QDir::toNativeSeparators(o.value(QStringLiteral("output-dir"))))};
    }
    bool withRows = true;
    if (o.has(QStringLiteral("rows"))) {
        const QString rows = o.value(QStringLiteral("rows"));
        if (rows != QLatin1String("none") && rows != QLatin1String("all"))
            throw UsageError{QStringLiteral("--rows takes none or all, not '%1'").arg(rows)};
        withRows = rows == QLatin1String("all");
    }
    const QHash<QString, QString> overrides = settingOverrides(o);

    QFile file;
    BatchInput fileInput;
    if (o.has(QStringLiteral("input"))) {
        file.setFileName(o.value(QStringLiteral("input")));
        QString why;
        if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, &why)) {
            err << "accrua-cli: cannot read \"" << QDir::toNativeSeparators(file.fileName()) << "\": " << why
                << '\n';
            return 2;
        }
        fileInput = [&file](char *data, qint64 size, QString &reason) -> qint64 {
            const qint64 n = file.read(data, size);
            if (n < 0)
                reason = file.errorString();
            return n;
        };
    }
    const BatchInput &input = fileInput ? fileInput : standardInput;

    const std::optional<StoredSettings> stored = settingsOnce(services, overrides);
    const QHash<QString, QString> &settings = stored ? stored->values : overrides;
    const QString storeFile = stored ? stored->file : QString();

    OutputBuffer buffer;
    bool written = true;
    const auto send = [&] {
        if (buffer.size() == 0 || !written)
            return;
        written = writeOut(out, buffer);
        buffer.clear();
        flushDevice(out);
    };
    LineReader reader(input, send);

    const Report nothing;
    const auto refusal = [&](const QString &kind, const QString &text, int exit, std::string id) {
        const JsonMessage message{kind, text, {}};
        writeJson(buffer, nothing, {&message, 1}, JsonLayout::Line, JsonLine{exit, std::move(id), withRows});
    };

    QByteArray line;
    qint64 number = 0;
    bool filesFailed = false;
    for (;;) {
        const LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::End)
            break;
        if (status == LineReader::Status::Failed) {
            send();
            err << "accrua-cli: cannot read the requests: " << reader.why() << '\n';
            return 2;
        }
        ++number;
        if (status == LineReader::Status::TooLong) {
            refusal(QStringLiteral("usage"),
                    QStringLiteral("line %1 is longer than %2 bytes").arg(number).arg(kMaxBatchLineBytes), 2,
                    {});
        } else if (!line.trimmed().isEmpty()) {
            QJsonParseError error{};
            const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
            if (!doc.isObject()) {
                const QString why =
                    error.error != QJsonParseError::NoError
                        ? QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset)
                        : QStringLiteral("not a JSON object");
                refusal(QStringLiteral("usage"), QStringLiteral("line %1: %2").arg(number).arg(why), 2, {});
            } else {
                const QJsonObject request = doc.object();
                const std::vector<RawMember> members = rawMembers(line);
                std::string id = idOf(members);
                try {
                    refuseRepeatedKeys(members);
                    const Request r = requestOf(request, folder);
                    if (r.command == QLatin1String("plan") || r.command == QLatin1String("apr")) {
                        planBatchLine(r.command, r.args, services, buffer, JsonLine{0, id, withRows});
                    } else {
                        // The reports print the rows' texts, wanted in the result or not.
                        runCalculation(
                            r.command, r.args, services, settings, storeFile,
                            withRows || !r.outputs.isEmpty(), [&](const Calculated &c) {
                                int exit = c.produced ? 0 : 1;
                                std::vector<JsonMessage> messages = jsonMessages(c.messages);
                                QStringList files;
                                if (c.outputs.any()) {
                                    std::vector<ReadFile> reads = c.reads;
                                    reads.push_back({QStringLiteral("the requests"), file.fileName()});
                                    refuseOutputsOverInputs(c.outputs, reads);
                                    if (c.outputs.drawn() && !drawing)
                                        throw Refusal{
                                            QStringLiteral("pdf and arp are drawn by accrua-cli-draw")};
                                    if (exit == 0) {
                                        if (const std::optional<QString> failure =
                                                writeOutputs(c, services, drawing, out, r.outputs, files)) {
                                            exit = 1;
                                            filesFailed = true;
                                            messages.push_back({QStringLiteral("error"), *failure, {}});
                                        }
                                    }
                                }
                                writeJson(buffer, c.report, messages, JsonLayout::Line,
                                          JsonLine{exit, id, withRows, c.outputs.any() ? &files : nullptr});
                                return exit;
                            });
                    }
                } catch (const UsageError &e) {
                    refusal(QStringLiteral("usage"), e.text, 2, id);
                } catch (const Refusal &e) {
                    refusal(QStringLiteral("refused"), e.text, 1, id);
                }
            }
        }
        // Blank lines are no requests; they only count for the line numbers.
        if (buffer.size() >= kFlushBytes)
            send();
        if (!written)
            break;
    }
    send();
    return written && !filesFailed ? 0 : 1;
}

} // namespace accrua::cli
