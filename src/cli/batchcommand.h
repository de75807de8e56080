// accrua-cli batch: many calculations in one process. Each input line is a
// JSON object naming a calculation command and its options as the command
// line spells them; each gives one JSON result line, in order, in the shape of
// the command's --json output plus "exit" and the request's "id". A refused
// or malformed line gives its result line and the batch goes on.
#pragma once

#include "cli/cli.h"

#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <functional>

namespace accrua::cli {

// A line longer than this is refused unread (a request is a few hundred bytes).
inline constexpr qint64 kMaxBatchLineBytes = qint64{1} << 20;

// Where the requests come from: fills up to `size` bytes with what is there
// (waiting only when nothing is) and returns the count, 0 at the end, or -1
// with the reason in `why` when the input cannot be read.
using BatchInput = std::function<qint64(char *data, qint64 size, QString &why)>;

// Runs "batch" with its arguments (after the command word): the requests from
// `standardInput`, or from the file named by --input. A line's report outputs
// (pdf, arp, csv, classic) are files in the folder --output-dir names; pdf
// and arp are drawn through `drawing` (without one they are refused).
// Returns 0 when every line was read, 2 on a usage error or input that could
// not be read, 1 when the settings store refused a --setting value, a report
// file or standard output could not be written.
int runBatchCommand(const QStringList &args, const BatchInput &standardInput, QTextStream &out,
                    QTextStream &err, const Services &services, const Drawing *drawing = nullptr);

// The process's standard input, read as it arrives.
BatchInput processStandardInput();

} // namespace accrua::cli
