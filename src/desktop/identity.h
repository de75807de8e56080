// What the splash screen and the about box say: the program's fixed details,
// how a property becomes a label's text, the version line, the standard
// disclaimer and the about caption. The windows in app/splash.h and
// app/aboutbox.h only place these texts.
#pragma once

#include <QString>

namespace accrua::desktop {

// The vendor's details shown by the splash and the about box.
struct ProgramDetails {
    QString companyTitle;
    QString companyName;
    QString companyAddress;
    QString companyCityStateZip;
    QString companyUrl;
    QString companyEmail;
    QString companyPhone; // left empty
};

ProgramDetails programDetails();
QString programVersion(); // "5.1"

// The texts the splash screen and the about box carry as their properties
// (the splash shows no e-mail or phone). Both take the program's details
// whole through setProgram, so the two cannot drift apart.
struct ProgramFields {
    QString ApplicationTitle;
    QString CompanyTitle;
    QString CompanyName;
    QString CompanyAddress;
    QString CompanyCityStateZip;
    QString CompanyURL;
    QString CompanyEmail;
    QString CompanyPhone;
    QString Version;

    void setProgram(const QString &applicationTitle, const ProgramDetails &details, const QString &version);
};

// "Version 5.1 " (with the trailing blank); blank for an empty version.
QString versionLabelText(const QString &version);

// A disclaimer of warranty in capitals that names the vendor three times.
QString standardDisclaimer(const QString &companyName);

QString aboutCaption(const QString &applicationTitle); // "About Accrua"

} // namespace accrua::desktop
