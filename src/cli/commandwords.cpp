// The command words of accrua-cli, their usage text, and which command lines
// draw. Needs Qt Core only: what draws is reached through a Drawing.
#include "cli/cli.h"

#include "accrua/version.h"
#include "cli/batchcommand.h"
#include "cli/calccommands.h"
#include "cli/options.h"
#include "cli/plancommand.h"
#include "cli/settingscommand.h"

#include <new>

namespace accrua::cli {

namespace {

const char *const kUsage = R"(usage: accrua-cli COMMAND [OPTIONS]

Loan and savings calculations, computed exactly as the Accrua window computes
them: each value is typed into its field as a user would type it (with the
user's decimal separator), the field's leave check runs, then Calculate.

Commands:
  payment  --principal P --rate R --years Y --months M [--resolution amount|count]
           the monthly payment that repays P over the term
  count    --principal P --rate R --payment A [--resolution amount|count]
           the number of payments of A that repay P
  amortize --principal P --rate R --payment A --years Y --months M
           [--resolution amount|count] [--answer yes|no]
           the amortization schedule; --answer answers the question whether
           to use the number of payments that repays the loan (default yes)
  daily    --principal P --rate R --payment A (--days N | --start DATE --receive DATE)
           [--base 360|365]
           interest over a span of days; dates are ISO 8601 (2026-02-12)
  savings  --balance B --rate R --compounded yearly|bi-yearly|quarterly|monthly
           --years Y --months M
           growth of savings under periodic compounding
  plan     --principal A --rate R (--years Y [--months M] | --payments N | --payment P)
           [--frequency F] [--compounding C] [--repayment annuity|equal-principal]
           [--interest-only N] [--amortize-years Y | --balloon A] [--extra A[@K[/E]]]
           [--lump K:A]... [--extra-mode shorten|lower-payment] [--rate-change K:R]...
           [--fee A] [--start DATE] [--first DATE] [--json | --csv FILE|-]
  plan     --plan FILE [--scenario NAME] [--json | --csv FILE|-] [--pdf FILE]
           the loan planner: the whole schedule with extra payments, rate
           changes, balloons, any payment frequency and compounding, and the
           plan's US APR and EU APRC (see "Planning a loan" below)
  apr      --advance A --date DATE --series AMOUNTxCOUNT@FIRSTDATE[/FREQUENCY]...
           [--fee A] [--json]
           the US APR (Regulation Z, Appendix J) and the EU APRC of an advance
           repaid by series of payments; a series of one payment needs no
           frequency
  batch    [--input FILE] [--rows all|none] [--setting NAME=VALUE]...
           [--output-dir DIR]
           many calculations in one run: one request per line of JSON on
           standard input (or in FILE), one result per line on standard
           output; the lines' report files go into DIR
  settings [--set NAME=VALUE]
           print the sixteen stored settings (name, value, whether default),
           or store one value
  pages FILE
           list the header and page records of a report page file (*.ARP)
  render FILE (--pdf OUT.pdf | --png DIR [--dpi N])
           draw every page of a report page file; --pdf - writes the PDF
           to standard output
  --version
           print the program's version

Options for the calculations:
  --json               print one JSON object: "fields" (each field's control
                       name and the exact text the window shows), "rows" (the
                       schedule: payment, principal, interest, balance texts;
                       for savings: interest, balance) and "messages" (every
                       message the window would show, in order, with "kind",
                       "text" and, for a question, "answer")
  --setting NAME=VALUE override a stored setting for this run (repeatable);
                       nothing is written
  --resolution         overrides PAYMENTRESOLUTION (amount: increase the
                       payment amount, count: increase the number of payments)
  --base               overrides AMORTIZEDBASE for this run

Report outputs of payment, count, amortize, daily and savings:
  --pdf FILE           write the banded report as a PDF (text stays text)
  --arp FILE           write it as a report page file (*.ARP) that Accrua's
                       Open shows again
  --csv FILE|-         write the rows with a header line, amounts as plain
                       numbers with a dot (the schedule with payment dates,
                       the savings periods, or the daily results); - writes
                       them to standard output in place of the table
  --classic FILE|-     write the classic text report as rich text, as the
                       classic window's Save writes it after a preview
                       (USECLASSICVIEW); - writes its lines as plain text to
                       standard output in place of the table
  --origination DATE   loan reports: the origination date (2026-02-12);
                       default today
  --purpose TEXT       loan reports: the loan's purpose; default the stored
                       LOANTYPE
  --setting values reach the report too (PRINTTOTALS, PRINTIMAGE, IMAGEPATH,
  TITLE, ...). A file is written whole or not at all; a failure names the
  file on stderr and exits 1.
  --help               this text

Planning a loan (plan):
  Amounts and rates are plain numbers (a dot or your decimal separator, no
  grouping); dates are ISO 8601 (2026-02-15). A term of years and months
  becomes payments at the frequency (weeks: the payments in the term's days).
  --frequency F        monthly (default), semi-monthly, every-2-weeks, weekly,
                       every-4-weeks, every-2-months, quarterly, semi-annual,
                       annual
  --compounding C      same (default: once a payment), daily, or a frequency;
                       the periodic rate is (1 + R/m)^(m/p) - 1
  --repayment          annuity (a level payment, default) or equal-principal
                       (principal / payments, plus the interest)
  --interest-only N    the first N payments pay interest only; N = the term:
                       the principal is due with the last payment
  --amortize-years Y   the level payment of a Y-year loan; the balance is due
                       with the last payment of the term (a balloon)
  --balloon A          the payment leaves A due with the last payment
  --extra A[@K[/E]]    A more with every payment from payment K (default 1), or
                       every E-th payment
  --lump K:A           A more with payment K (0: at the advance); repeatable
  --extra-mode         shorten (keep the payment, end sooner; default) or
                       lower-payment (keep the term, lower the payment)
  --rate-change K:R    from payment K on the rate is R; the payment is worked
                       out again for the payments left; repeatable
  --plan FILE          a plan file saved by the planner window (Tools > Loan
                       Planner): its selected scenario, or the one --scenario
                       names, computed as the window computes it; --pdf FILE
                       writes the plan's report as the window's Export PDF does
  --fee A              a prepaid finance charge paid at the advance: the APR's
                       amount financed is the principal less the fee
  --start DATE         the advance (default today); --first DATE the first
                       payment (default one period later)
  --json               one JSON object: payment, payments, lastPayment,
                       periodicRate, totals, payoff, crossover, apr, aprc,
                       baseline and saved (with extras), rows, messages
  --csv FILE|-         the rows as comma-separated values (- in place of the
                       table)
  Every payment and every period's interest is rounded to cents; the last
  payment pays what is left, so the balance ends at exactly 0.00.

Batch requests and results:
  Each line is a JSON object with "command" (payment, count, amortize, daily,
  savings, plan or apr), the command's options by name with text values as
  the command line spells them (a repeated option as a list of texts),
  optionally "setting" (an object NAME: "VALUE" for this line) and "id" (any
  JSON value, given back with the result):
    {"id":7,"command":"payment","principal":"100000","rate":"7","years":"30","months":"0"}
    {"id":8,"command":"plan","principal":"180000","rate":"4.25","years":"30","lump":["12:10000"]}
  A plan or apr line's result is its --json object on one line, with "exit"
  and "id" first.
  Each result is one line: the --json object on one line, with "exit" (this
  line's exit status) and the request's "id":
    {"exit":0,"fields":{...},"id":7,"messages":[],"rows":[{...},...]}
  A line that is refused or cannot be read gets its result line with the
  reason in "messages" (kind "usage" or "refused") and the batch goes on;
  blank lines are skipped. The stored settings are read once; --setting
  applies to every line, a line's own "setting" over it. --rows none leaves
  "rows" out.
  A payment, count, amortize, daily or savings line may ask for report
  files: "pdf", "arp", "csv" and "classic" name files inside the folder
  --output-dir names ("origination" and "purpose" as on the command line):
    {"id":9,"command":"payment","principal":"100000","rate":"7","years":"30",
     "months":"0","pdf":"loans/9.pdf","csv":"loans/9.csv"}
  Each file is written whole or not at all, and the result lists those
  written in "outputs". A line without --output-dir, with a name that leaves
  the folder (an absolute path, "..", a link out of it) or two outputs
  naming one file is refused (kind "usage"), a name in a folder that is not
  there too (kind "refused": folders are not made). A file that cannot be
  written is named in the line's "messages" (kind "error", "exit" 1); the
  line's later files are not written, files written before stay whole. A
  later line writing the same file as an earlier one replaces it. With
  --output-dir the whole batch runs in accrua-cli-draw, one process for
  every PDF.
  --output-dir DIR     the folder the lines' report files go into
  Exit status of the batch: 0 every line was read, 2 usage or input that
  could not be read, 1 standard output or a report file could not be
  written.

Exit status: 0 the calculation produced results; 1 a check, the calculation
or the settings store refused the input (messages on stderr), a value was
refused as it was typed (nothing is computed with a corrected value), a file
could not be read or written, or standard output could not be written;
2 usage (an option given twice included).
)";

} // namespace

int runCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
               const Drawing *drawing)
{
    if (args.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString &command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help") || rest.contains(QStringLiteral("--help"))) {
        out << kUsage;
        return 0;
    }
    if (command == QLatin1String("--version")) {
        out << "accrua-cli " << kVersion << '\n' << kLicenseNotice;
        return 0;
    }
    try {
        if (command == QLatin1String("payment") || command == QLatin1String("count") ||
            command == QLatin1String("amortize"))
            return runLoanCommand(command, rest, out, err, services, drawing);
        if (command == QLatin1String("daily"))
            return runDailyCommand(rest, out, err, services, drawing);
        if (command == QLatin1String("savings"))
            return runSavingsCommand(rest, out, err, services, drawing);
        if (command == QLatin1String("plan"))
            return runPlanCommand(rest, out, err, services, drawing);
        if (command == QLatin1String("apr"))
            return runAprCommand(rest, out, err, services);
        if (command == QLatin1String("batch"))
            return runBatchCommand(rest, processStandardInput(), out, err, services, drawing);
        if (command == QLatin1String("settings"))
            return runSettingsCommand(rest, out, services);
        if (command == QLatin1String("pages") || command == QLatin1String("render")) {
            if (!drawing)
                throw Refusal{QStringLiteral("%1 is drawn by accrua-cli-draw").arg(command)};
            return (command == QLatin1String("pages") ? drawing->pages : drawing->render)(rest, out, err);
        }
        throw UsageError{QStringLiteral("unknown command '%1'").arg(command)};
    } catch (const UsageError &e) {
        err << "accrua-cli: " << e.text << "\n(see accrua-cli --help)\n";
        return 2;
    } catch (const Refusal &e) {
        err << "accrua-cli: " << e.text << '\n';
        return 1;
    } catch (const std::bad_alloc &) {
        err << "accrua-cli: there is not enough memory for this command\n";
        return 1;
    }
}

bool needsDrawing(const QStringList &args)
{
    if (args.isEmpty())
        return false;
    if (args.first() == QLatin1String("render") || args.first() == QLatin1String("pages"))
        return true;
    // Any spelling of a drawn report output, or a batch's output folder (its
    // lines may ask for PDFs: the whole batch is drawn in one process); a
    // value that only looks like one costs the hand-over, never a missed
    // report.
    for (const QString &arg : args.mid(1)) {
        for (const char *name : {"--pdf", "--arp", "--output-dir"}) {
            const QLatin1String option(name);
            if (arg == option || (arg.startsWith(option) && arg.at(option.size()) == u'='))
                return true;
        }
    }
    return false;
}

} // namespace accrua::cli
