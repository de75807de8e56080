#include "reports/classic/rtf.h"

#include "reports/classic/rtfreader.h"

#include "accrua/version.h"
#include "fileio/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cstdint>

namespace accrua::reports::classic {

QString plainText(const ClassicLines &lines)
{
    qsizetype size = 0;
    for (const ClassicLine &line : lines)
        size += line.text.size() + 1;
    QString text;
    text.reserve(size);
    for (const ClassicLine &line : lines) {
        text += line.text;
        text += u'\n';
    }
    return text;
}

namespace {

// A line's width in points: fixed-pitch faces advance 0.6 em a character;
// the proportional title face about half an em, a blank a little over a quarter.
qreal lineWidthPoints(const ClassicLine &line)
{
    const ClassicAttributes &a = line.attributes;
    const bool fixedPitch = a.fontName.contains(QLatin1String("courier"), Qt::CaseInsensitive);
    qreal ems = 0;
    for (const QChar c : line.text)
        ems += fixedPitch ? 0.6 : c == u' ' ? 0.278 : a.bold ? 0.611 : 0.556;
    return ems * clampPointSize(a.pointSize);
}

} // namespace

QPageLayout classicPageLayout(const ClassicLines &lines, const QPageSize &paper)
{
    constexpr qreal kMarginMm = 12.7;
    const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
    qreal widest = 0;
    for (const ClassicLine &line : lines)
        widest = std::max(widest, lineWidthPoints(line));
    const qreal portraitWidth = paper.size(QPageSize::Point).width() - 2 * kMarginMm * 72 / 25.4;
    // A line exactly as wide as the text area fits (rounding aside).
    const auto orientation = widest > portraitWidth + 0.01 ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(paper, orientation, margins, QPageLayout::Millimeter);
}

namespace {

void appendEscaped(QByteArray &out, QStringView text, bool inFontTable)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (inFontTable && c == u';') {
            out += "\\'3b"; // a plain ";" would end the font's name
        } else if (c == u'\t' && !inFontTable) {
            out += "\\tab ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            // Signed 16 bits, as readers expect; "?" is what a reader without
            // Unicode shows instead.
            out += "\\u";
            out += QByteArray::number(static_cast<std::int16_t>(c));
            out += '?';
        }
    }
}

QByteArray fontFamilyWord(const QString &name)
{
    if (name.contains(QLatin1String("courier"), Qt::CaseInsensitive))
        return QByteArrayLiteral("\\fmodern\\fprq1");
    if (name.contains(QLatin1String("arial"), Qt::CaseInsensitive))
        return QByteArrayLiteral("\\fswiss\\fprq2");
    return QByteArrayLiteral("\\fnil");
}

QString nativeName(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

QString withStop(QString text)
{
    if (!text.endsWith(u'.'))
        text += u'.';
    return text;
}

} // namespace

QByteArray RtfFormat::toRtf(const ClassicLines &lines)
{
    QStringList fonts;
    QHash<QString, int> fontIndex;
    const auto indexOf = [&](const QString &name) {
        const auto it = fontIndex.constFind(name);
        if (it != fontIndex.constEnd())
            return *it;
        fontIndex.insert(name, static_cast<int>(fonts.size()));
        fonts << name;
        return static_cast<int>(fonts.size() - 1);
    };
    for (const ClassicLine &line : lines)
        indexOf(line.attributes.fontName);
    if (fonts.isEmpty())
        indexOf(kDefaultFontName);

    QByteArray out;
    out.reserve(256 + lines.size() * 120);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + fontFamilyWord(fonts[i]) + "\\fcharset0 ";
        appendEscaped(out, fonts[i], true);
        out += ";}";
    }
    // Word processors take a file without a generator for one of an old word
    // processor's and widen runs of spaces, which breaks the columns.
    out += "}\n{\\*\\generator Accrua ";
    out += kVersion;
    out += ";}\n";
    // The page it prints on, so that a word processor opens it with the same
    // line breaks instead of wrapping the columns (sizes in twentieths of a point).
    const QPageLayout page = classicPageLayout(lines);
    const QSizeF paper = page.fullRect(QPageLayout::Point).size();
    const QMarginsF margins = page.margins(QPageLayout::Point);
    const auto twips = [](qreal points) { return QByteArray::number(qRound(points * 20)); };
    out += "\\paperw" + twips(paper.width()) + "\\paperh" + twips(paper.height()) + "\\margl" +
           twips(margins.left()) + "\\margr" + twips(margins.right()) + "\\margt" + twips(margins.top()) +
           "\\margb" + twips(margins.bottom());
    if (page.orientation() == QPageLayout::Landscape)
        out += "\\landscape";
    out += "\n\\viewkind4\\pard\n";
    for (const ClassicLine &line : lines) {
        const ClassicAttributes &a = line.attributes;
        out += "\\plain\\f";
        out += QByteArray::number(fontIndex.value(a.fontName));
        out += "\\fs";
        out += QByteArray::number(clampPointSize(a.pointSize) * 2);
        if (a.bold)
            out += "\\b";
        if (a.underline)
            out += "\\ul";
        out += ' ';
        appendEscaped(out, line.text, false);
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

bool RtfFormat::write(QIODevice &device, const ClassicLines &lines)
{
    for (const ClassicLine &line : lines) {
        if (line.text.size() > kMaxLineLength) {
            m_error =
                QCoreApplication::translate("accrua::reports::classic", "a line is longer than %1 characters")
                    .arg(kMaxLineLength);
            return false;
        }
    }
    const QByteArray data = toRtf(lines);
    if (device.write(data) != data.size()) {
        m_error = device.errorString();
        return false;
    }
    return true;
}

bool RtfFormat::readData(const QByteArray &data, ClassicLines &lines)
{
    if (data.size() > kMaxFileSize) {
        m_error = QCoreApplication::translate("accrua::reports::classic", "it is larger than 64 MiB");
        return false;
    }
    QString error;
    bool ok;
    if (data.startsWith("{\\rtf"))
        ok = readRichText(data, lines, error);
    else
        ok = readPlainText(data, lines, error);
    if (!ok)
        m_error = error;
    return ok;
}

bool RtfFormat::read(QIODevice &device, ClassicLines &lines)
{
    if (!device.isSequential() && device.size() > kMaxFileSize) {
        m_error = QCoreApplication::translate("accrua::reports::classic", "it is larger than 64 MiB");
        return false;
    }
    return readData(device.read(kMaxFileSize + 1), lines);
}

bool RtfFormat::writeFile(const QString &fileName, const ClassicLines &lines)
{
    // Checked writes, flushed before the rename: a full disk keeps the old file.
    fileio::SafeFile file(fileName);
    if (!file.open()) {
        m_error = withStop(QCoreApplication::translate("accrua::reports::classic", "Cannot save \"%1\": %2")
                               .arg(nativeName(fileName), file.errorString()));
        return false;
    }
    if (!write(file.device(), lines) || !file.commit()) {
        m_error = withStop(QCoreApplication::translate("accrua::reports::classic", "Cannot save \"%1\": %2")
                               .arg(nativeName(fileName), file.errorString()));
        return false;
    }
    return true;
}

bool RtfFormat::readFile(const QString &fileName, ClassicLines &lines)
{
    QFile file(fileName);
    QString why; // a FIFO or a device would block the window
    if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, &why)) {
        m_error = withStop(QCoreApplication::translate("accrua::reports::classic", "Cannot open \"%1\": %2")
                               .arg(nativeName(fileName), why));
        return false;
    }
    if (file.size() > kMaxFileSize) {
        m_error =
            QCoreApplication::translate("accrua::reports::classic",
                                        "\"%1\" is larger than 64 MiB and is not opened as a classic report.")
                .arg(nativeName(fileName));
        return false;
    }
    const QByteArray data = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        m_error = withStop(QCoreApplication::translate("accrua::reports::classic", "Cannot read \"%1\": %2")
                               .arg(nativeName(fileName), file.errorString()));
        return false;
    }
    if (!readData(data, lines)) {
        m_error = withStop(QCoreApplication::translate("accrua::reports::classic",
                                                       "\"%1\" cannot be read as a classic report: %2")
                               .arg(nativeName(fileName), m_error));
        return false;
    }
    return true;
}

} // namespace accrua::reports::classic
