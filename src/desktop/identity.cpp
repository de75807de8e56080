#include "desktop/identity.h"

#include "accrua/version.h"

#include <QCoreApplication>

namespace accrua::desktop {

ProgramDetails programDetails()
{
    return {
        QStringLiteral("Quennet"),
        QStringLiteral("Quennet Software"),
        QStringLiteral("14 Tallow Lane"),
        QStringLiteral("Brookfield, Ledger County"),
        QStringLiteral("https://quennet.example"),
        QStringLiteral("support@quennet.example"),
        QString(),
    };
}

QString programVersion()
{
    return QString::fromLatin1(kVersion);
}

void ProgramFields::setProgram(const QString &applicationTitle, const ProgramDetails &details,
                               const QString &version)
{
    ApplicationTitle = applicationTitle;
    CompanyTitle = details.companyTitle;
    CompanyName = details.companyName;
    CompanyAddress = details.companyAddress;
    CompanyCityStateZip = details.companyCityStateZip;
    CompanyURL = details.companyUrl;
    CompanyEmail = details.companyEmail;
    CompanyPhone = details.companyPhone;
    Version = version;
}

QString versionLabelText(const QString &version)
{
    if (version.isEmpty())
        return QString();
    return QCoreApplication::translate("accrua::desktop", "Version %1 ").arg(version);
}

QString standardDisclaimer(const QString &companyName)
{
    // Without a name the sentences still read as sentences.
    const QString vendor = companyName.trimmed().isEmpty()
                               ? QCoreApplication::translate("accrua::desktop", "THE VENDOR")
                               : companyName.toUpper();
    return QCoreApplication::translate(
               "accrua::desktop",
               "THIS SOFTWARE IS PROVIDED BY %1 \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, "
               "INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR "
               "PURPOSE. THE RESULTS OF EVERY CALCULATION ARE ESTIMATES; CONFIRM THEM WITH YOUR LENDER OR "
               "FINANCIAL INSTITUTION BEFORE YOU RELY ON THEM. IN NO EVENT SHALL %1 BE LIABLE FOR ANY "
               "DIRECT, "
               "INDIRECT, INCIDENTAL, SPECIAL OR CONSEQUENTIAL DAMAGES ARISING OUT OF THE USE OF, OR THE "
               "INABILITY TO USE, THIS SOFTWARE, EVEN IF %1 HAS BEEN ADVISED OF THE POSSIBILITY OF SUCH "
               "DAMAGES.")
        .arg(vendor);
}

QString aboutCaption(const QString &applicationTitle)
{
    return QCoreApplication::translate("accrua::desktop", "About %1").arg(applicationTitle);
}

} // namespace accrua::desktop
