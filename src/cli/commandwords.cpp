// The command words of accrua-cli, their usage text, and which command lines
// draw. Needs Qt Core only: what draws is reached through a Drawing.
#include "cli/cli.h"

#include "accrua/version.h"
#include "cli/batchcommand.h"
#include "cli/calccommands.h"
#include "cli/options.h"
#include "cli/plancommand.h"
#include "cli/settingscommand.h"

#include <QCoreApplication>

#include <new>

namespace accrua::cli {

namespace {

// The usage text in pieces: what a command line spells (command words,
// options, value names, examples) is printed as it is; the prose after it is
// translated paragraph by paragraph and indented here, so a translation
// breaks its own lines.
struct UsagePiece {
    const char *fixed;
    const char *prose; // none: the piece is fixed only
    int indent;        // before each line of the prose, but a first line that continues `fixed`
};

constexpr int kCommandIndent = 11;
constexpr int kOptionIndent = 23;

const UsagePiece kUsage[] = {
    //: The text of accrua-cli --help. Keep command words, option names, value
    //: names (P, FILE, monthly, ...) and quoted JSON names as they are; break
    //: lines where you like, within 79 columns with the indent.
    {"", QT_TRANSLATE_NOOP("Usage", "usage: accrua-cli COMMAND [OPTIONS]"), 0},
    {"\n",
     QT_TRANSLATE_NOOP("Usage",
                       "Loan and savings calculations, computed exactly as the Accrua window computes\n"
                       "them: each value is typed into its field as a user would type it (with the\n"
                       "user's decimal separator), the field's leave check runs, then Calculate."),
     0},
    {"\n", QT_TRANSLATE_NOOP("Usage", "Commands:"), 0},
    {"  payment  --principal P --rate R --years Y --months M [--resolution amount|count]\n",
     QT_TRANSLATE_NOOP("Usage", "the monthly payment that repays P over the term"), kCommandIndent},
    {"  count    --principal P --rate R --payment A [--resolution amount|count]\n",
     QT_TRANSLATE_NOOP("Usage", "the number of payments of A that repay P"), kCommandIndent},
    {"  amortize --principal P --rate R --payment A --years Y --months M\n"
     "           [--resolution amount|count] [--answer yes|no]\n",
     QT_TRANSLATE_NOOP("Usage", "the amortization schedule; --answer answers the question whether\n"
                                "to use the number of payments that repays the loan (default yes)"),
     kCommandIndent},
    {"  daily    --principal P --rate R --payment A (--days N | --start DATE --receive DATE)\n"
     "           [--base 360|365]\n",
     QT_TRANSLATE_NOOP("Usage", "interest over a span of days; dates are ISO 8601 (2026-02-12)"),
     kCommandIndent},
    {"  savings  --balance B --rate R --compounded yearly|bi-yearly|quarterly|monthly\n"
     "           --years Y --months M\n",
     QT_TRANSLATE_NOOP("Usage", "growth of savings under periodic compounding"), kCommandIndent},
    {"  plan     --principal A --rate R (--years Y [--months M] | --payments N | --payment P)\n"
     "           [--frequency F] [--compounding C] [--repayment annuity|equal-principal]\n"
     "           [--interest-only N] [--amortize-years Y | --balloon A] [--extra A[@K[/E]]]\n"
     "           [--lump K:A]... [--extra-mode shorten|lower-payment] [--rate-change K:R]...\n"
     "           [--fee A] [--start DATE] [--first DATE] [--json | --csv FILE|-]\n"
     "  plan     --plan FILE [--scenario NAME] [--json | --csv FILE|-] [--pdf FILE]\n",
     QT_TRANSLATE_NOOP("Usage", "the loan planner: the whole schedule with extra payments, rate\n"
                                "changes, balloons, any payment frequency and compounding, and the\n"
                                "plan's US APR and EU APRC (see \"Planning a loan\" below)"),
     kCommandIndent},
    {"  apr      --advance A --date DATE --series AMOUNTxCOUNT@FIRSTDATE[/FREQUENCY]...\n"
     "           [--fee A] [--json]\n",
     QT_TRANSLATE_NOOP("Usage", "the US APR (Regulation Z, Appendix J) and the EU APRC of an advance\n"
                                "repaid by series of payments; a series of one payment needs no\n"
                                "frequency"),
     kCommandIndent},
    {"  batch    [--input FILE] [--rows all|none] [--setting NAME=VALUE]...\n"
     "           [--output-dir DIR]\n",
     QT_TRANSLATE_NOOP("Usage", "many calculations in one run: one request per line of JSON on\n"
                                "standard input (or in FILE), one result per line on standard\n"
                                "output; the lines' report files go into DIR"),
     kCommandIndent},
    {"  settings [--set NAME=VALUE]\n",
     QT_TRANSLATE_NOOP("Usage", "print the sixteen stored settings (name, value, whether default),\n"
                                "or store one value"),
     kCommandIndent},
    {"  pages FILE\n",
     QT_TRANSLATE_NOOP("Usage", "list the header and page records of a report page file (*.ARP)"),
     kCommandIndent},
    {"  render FILE (--pdf OUT.pdf | --png DIR [--dpi N])\n",
     QT_TRANSLATE_NOOP("Usage", "draw every page of a report page file; --pdf - writes the PDF\n"
                                "to standard output"),
     kCommandIndent},
    {"  --version\n", QT_TRANSLATE_NOOP("Usage", "print the program's version"), kCommandIndent},

    {"\n", QT_TRANSLATE_NOOP("Usage", "Options for the calculations:"), 0},
    {"  --json               ",
     QT_TRANSLATE_NOOP("Usage", "print one JSON object: \"fields\" (each field's control\n"
                                "name and the exact text the window shows), \"rows\" (the\n"
                                "schedule: payment, principal, interest, balance texts;\n"
                                "for savings: interest, balance) and \"messages\" (every\n"
                                "message the window would show, in order, with \"kind\",\n"
                                "\"text\" and, for a question, \"answer\")"),
     kOptionIndent},
    {"  --setting NAME=VALUE ",
     QT_TRANSLATE_NOOP("Usage", "override a stored setting for this run (repeatable);\n"
                                "nothing is written"),
     kOptionIndent},
    {"  --resolution         ",
     QT_TRANSLATE_NOOP("Usage", "overrides PAYMENTRESOLUTION (amount: increase the\n"
                                "payment amount, count: increase the number of payments)"),
     kOptionIndent},
    {"  --base               ", QT_TRANSLATE_NOOP("Usage", "overrides AMORTIZEDBASE for this run"),
     kOptionIndent},

    {"\n", QT_TRANSLATE_NOOP("Usage", "Report outputs of payment, count, amortize, daily and savings:"), 0},
    {"  --pdf FILE           ",
     QT_TRANSLATE_NOOP("Usage", "write the banded report as a PDF (text stays text)"), kOptionIndent},
    {"  --arp FILE           ",
     QT_TRANSLATE_NOOP("Usage", "write it as a report page file (*.ARP) that Accrua's\n"
                                "Open shows again"),
     kOptionIndent},
    {"  --csv FILE|-         ",
     QT_TRANSLATE_NOOP("Usage", "write the rows with a header line, amounts as plain\n"
                                "numbers with a dot (the schedule with payment dates,\n"
                                "the savings periods, or the daily results); - writes\n"
                                "them to standard output in place of the table"),
     kOptionIndent},
    {"  --classic FILE|-     ",
     QT_TRANSLATE_NOOP("Usage", "write the classic text report as rich text, as the\n"
                                "classic window's Save writes it after a preview\n"
                                "(USECLASSICVIEW); - writes its lines as plain text to\n"
                                "standard output in place of the table"),
     kOptionIndent},
    {"  --origination DATE   ",
     QT_TRANSLATE_NOOP("Usage", "loan reports: the origination date (2026-02-12);\n"
                                "default today"),
     kOptionIndent},
    {"  --purpose TEXT       ",
     QT_TRANSLATE_NOOP("Usage", "loan reports: the loan's purpose; default the stored\n"
                                "LOANTYPE"),
     kOptionIndent},
    {"",
     QT_TRANSLATE_NOOP("Usage", "--setting values reach the report too (PRINTTOTALS, PRINTIMAGE, IMAGEPATH,\n"
                                "TITLE, ...). A file is written whole or not at all; a failure names the\n"
                                "file on stderr and exits 1."),
     2},
    {"  --help               ", QT_TRANSLATE_NOOP("Usage", "this text"), kOptionIndent},

    {"\n", QT_TRANSLATE_NOOP("Usage", "Planning a loan (plan):"), 0},
    {"",
     QT_TRANSLATE_NOOP("Usage",
                       "Amounts and rates are plain numbers (a dot or your decimal separator, no\n"
                       "grouping); dates are ISO 8601 (2026-02-15). A term of years and months\n"
                       "becomes payments at the frequency (weeks: the payments in the term's days)."),
     2},
    {"  --frequency F        ",
     QT_TRANSLATE_NOOP("Usage", "monthly (default), semi-monthly, every-2-weeks, weekly,\n"
                                "every-4-weeks, every-2-months, quarterly, semi-annual,\n"
                                "annual"),
     kOptionIndent},
    {"  --compounding C      ",
     QT_TRANSLATE_NOOP("Usage", "same (default: once a payment), daily, or a frequency;\n"
                                "the periodic rate is (1 + R/m)^(m/p) - 1"),
     kOptionIndent},
    {"  --repayment          ",
     QT_TRANSLATE_NOOP("Usage", "annuity (a level payment, default) or equal-principal\n"
                                "(principal / payments, plus the interest)"),
     kOptionIndent},
    {"  --interest-only N    ",
     QT_TRANSLATE_NOOP("Usage", "the first N payments pay interest only; N = the term:\n"
                                "the principal is due with the last payment"),
     kOptionIndent},
    {"  --amortize-years Y   ",
     QT_TRANSLATE_NOOP("Usage", "the level payment of a Y-year loan; the balance is due\n"
                                "with the last payment of the term (a balloon)"),
     kOptionIndent},
    {"  --balloon A          ", QT_TRANSLATE_NOOP("Usage", "the payment leaves A due with the last payment"),
     kOptionIndent},
    {"  --extra A[@K[/E]]    ",
     QT_TRANSLATE_NOOP("Usage", "A more with every payment from payment K (default 1), or\n"
                                "every E-th payment"),
     kOptionIndent},
    {"  --lump K:A           ",
     QT_TRANSLATE_NOOP("Usage", "A more with payment K (0: at the advance); repeatable"), kOptionIndent},
    {"  --extra-mode         ",
     QT_TRANSLATE_NOOP("Usage", "shorten (keep the payment, end sooner; default) or\n"
                                "lower-payment (keep the term, lower the payment)"),
     kOptionIndent},
    {"  --rate-change K:R    ",
     QT_TRANSLATE_NOOP("Usage", "from payment K on the rate is R; the payment is worked\n"
                                "out again for the payments left; repeatable"),
     kOptionIndent},
    {"  --plan FILE          ",
     QT_TRANSLATE_NOOP("Usage", "a plan file saved by the planner window (Tools > Loan\n"
                                "Planner): its selected scenario, or the one --scenario\n"
                                "names, computed as the window computes it; --pdf FILE\n"
                                "writes the plan's report as the window's Export PDF does"),
     kOptionIndent},
    {"  --fee A              ",
     QT_TRANSLATE_NOOP("Usage", "a prepaid finance charge paid at the advance: the APR's\n"
                                "amount financed is the principal less the fee"),
     kOptionIndent},
    {"  --start DATE         ",
     QT_TRANSLATE_NOOP("Usage", "the advance (default today); --first DATE the first\n"
                                "payment (default one period later)"),
     kOptionIndent},
    {"  --json               ",
     QT_TRANSLATE_NOOP("Usage", "one JSON object: payment, payments, lastPayment,\n"
                                "periodicRate, totals, payoff, crossover, apr, aprc,\n"
                                "baseline and saved (with extras), rows, messages"),
     kOptionIndent},
    {"  --csv FILE|-         ",
     QT_TRANSLATE_NOOP("Usage", "the rows as comma-separated values (- in place of the\n"
                                "table)"),
     kOptionIndent},
    {"",
     QT_TRANSLATE_NOOP("Usage", "Every payment and every period's interest is rounded to cents; the last\n"
                                "payment pays what is left, so the balance ends at exactly 0.00."),
     2},

    {"\n", QT_TRANSLATE_NOOP("Usage", "Batch requests and results:"), 0},
    {"",
     QT_TRANSLATE_NOOP("Usage",
                       "Each line is a JSON object with \"command\" (payment, count, amortize, daily,\n"
                       "savings, plan or apr), the command's options by name with text values as\n"
                       "the command line spells them (a repeated option as a list of texts),\n"
                       "optionally \"setting\" (an object NAME: \"VALUE\" for this line) and \"id\" (any\n"
                       "JSON value, given back with the result):"),
     2},
    {R"(    {"id":7,"command":"payment","principal":"100000","rate":"7","years":"30","months":"0"}
    {"id":8,"command":"plan","principal":"180000","rate":"4.25","years":"30","lump":["12:10000"]}
)",
     nullptr, 0},
    {"",
     QT_TRANSLATE_NOOP("Usage",
                       "A plan or apr line's result is its --json object on one line, with \"exit\"\n"
                       "and \"id\" first.\n"
                       "Each result is one line: the --json object on one line, with \"exit\" (this\n"
                       "line's exit status) and the request's \"id\":"),
     2},
    {R"(    {"exit":0,"fields":{...},"id":7,"messages":[],"rows":[{...},...]}
)",
     nullptr, 0},
    {"",
     QT_TRANSLATE_NOOP("Usage",
                       "A line that is refused or cannot be read gets its result line with the\n"
                       "reason in \"messages\" (kind \"usage\" or \"refused\") and the batch goes on;\n"
                       "blank lines are skipped. The stored settings are read once; --setting\n"
                       "applies to every line, a line's own \"setting\" over it. --rows none leaves\n"
                       "\"rows\" out."),
     2},
    {"",
     QT_TRANSLATE_NOOP("Usage",
                       "A payment, count, amortize, daily or savings line may ask for report\n"
                       "files: \"pdf\", \"arp\", \"csv\" and \"classic\" name files inside the folder\n"
                       "--output-dir names (\"origination\" and \"purpose\" as on the command line):"),
     2},
    {R"(    {"id":9,"command":"payment","principal":"100000","rate":"7","years":"30",
     "months":"0","pdf":"loans/9.pdf","csv":"loans/9.csv"}
)",
     nullptr, 0},
    {"",
     QT_TRANSLATE_NOOP("Usage",
                       "Each file is written whole or not at all, and the result lists those\n"
                       "written in \"outputs\". A line without --output-dir, with a name that leaves\n"
                       "the folder (an absolute path, \"..\", a link out of it) or two outputs\n"
                       "naming one file is refused (kind \"usage\"), a name in a folder that is not\n"
                       "there too (kind \"refused\": folders are not made). A file that cannot be\n"
                       "written is named in the line's \"messages\" (kind \"error\", \"exit\" 1); the\n"
                       "line's later files are not written, files written before stay whole. A\n"
                       "later line writing the same file as an earlier one replaces it. With\n"
                       "--output-dir the whole batch runs in accrua-cli-draw, one process for\n"
                       "every PDF."),
     2},
    {"  --output-dir DIR     ", QT_TRANSLATE_NOOP("Usage", "the folder the lines' report files go into"),
     kOptionIndent},
    {"",
     QT_TRANSLATE_NOOP("Usage", "Exit status of the batch: 0 every line was read, 2 usage or input that\n"
                                "could not be read, 1 standard output or a report file could not be\n"
                                "written."),
     2},

    {"\n",
     QT_TRANSLATE_NOOP("Usage",
                       "Exit status: 0 the calculation produced results; 1 a check, the calculation\n"
                       "or the settings store refused the input (messages on stderr), a value was\n"
                       "refused as it was typed (nothing is computed with a corrected value), a file\n"
                       "could not be read or written, or standard output could not be written;\n"
                       "2 usage (an option given twice included)."),
     0},
};

} // namespace

QString usageText()
{
    QString out;
    for (const UsagePiece &piece : kUsage) {
        const QString fixed = QString::fromUtf8(piece.fixed);
        out += fixed;
        if (!piece.prose)
            continue;
        const bool continues = !fixed.isEmpty() && !fixed.endsWith(u'\n');
        const QStringList lines = QCoreApplication::translate("Usage", piece.prose).split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0 || !continues)
                out += QString(piece.indent, u' ');
            out += lines[i] + u'\n';
        }
    }
    return out;
}

int runCommand(const QStringList &args, QTextStream &out, QTextStream &err, const Services &services,
               const Drawing *drawing)
{
    if (args.isEmpty()) {
        err << usageText();
        return 2;
    }
    const QString &command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help") || rest.contains(QStringLiteral("--help"))) {
        out << usageText();
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
