#include "help/helpfiles.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace accrua::help {

namespace {

QChar separator()
{
    return QDir::separator();
}

QString joined(const QString &folder, const QString &name)
{
    return folder + separator() + name;
}

} // namespace

HelpTopic parseHelpEntry(const QString &entry)
{
    const qsizetype eq = entry.indexOf(u'=');
    if (eq < 0)
        return {QString(), entry};
    return {entry.left(eq), entry.mid(eq + 1)};
}

QStringList sortedTitles(QStringList titles)
{
    std::stable_sort(titles.begin(), titles.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return titles;
}

int findTopic(const QList<HelpTopic> &topics, const QString &title)
{
    for (qsizetype i = 0; i < topics.size(); ++i) {
        if (topics[i].title == title)
            return int(i);
    }
    return -1;
}

QString programFolder(const QString &programFilePath)
{
    const QString path = QDir::toNativeSeparators(programFilePath);
    const qsizetype cut = path.lastIndexOf(separator());
    if (cut < 0)
        return QString();
    // At the root ("/", or a drive's "C:\") the separator is part of the folder.
    const bool atRoot = cut == 0 || (cut == 2 && path.at(1) == u':');
    return path.left(atRoot ? cut + 1 : cut);
}

QString helpFolder(const QString &folder, const QString &subDirectory,
                   const std::function<bool(const QString &)> &folderExists)
{
    QString beside = joined(folder, subDirectory);
    if (folderExists(beside))
        return beside;
    const QChar sep = separator();
    QString installed = folder + sep + QStringLiteral("..") + sep + QStringLiteral("share") + sep +
                        QStringLiteral("accrua") + sep + subDirectory;
    if (folderExists(installed))
        return installed;
    return beside;
}

QString topicPath(const QString &helpFilePath, const QString &subDirectory, const QString &folder,
                  const QString &fileName, const std::function<bool(const QString &)> &folderExists)
{
    if (!helpFilePath.trimmed().isEmpty())
        return helpFilePath + fileName;
    if (!subDirectory.trimmed().isEmpty())
        return joined(helpFolder(folder, subDirectory, folderExists), fileName);
    return joined(folder, fileName);
}

QUrl topicUrl(const QString &path)
{
    QString clean = QDir::fromNativeSeparators(path);
    // A leading "//" would name a network host.
    while (clean.contains(QLatin1String("//")))
        clean.replace(QLatin1String("//"), QLatin1String("/"));
    return QUrl::fromLocalFile(clean);
}

QString effectiveTitle(const QString &title, const QString &applicationTitle)
{
    return title.isEmpty() ? applicationTitle : title;
}

QString helpTopicsCaption(const QString &title)
{
    return QCoreApplication::translate("accrua::help", "Help Topics: %1 Help").arg(title);
}

QString helpWindowCaption(const QString &title, const QString &topic)
{
    return QCoreApplication::translate("accrua::help", "%1 Help :  %2").arg(title, topic);
}

QString helpContentsCaption(const QString &title)
{
    return QCoreApplication::translate("accrua::help", "%1 Help...").arg(title);
}

QString missingTopicHtml(const QString &path)
{
    return QStringLiteral("<html><body><h2>") +
           QCoreApplication::translate("accrua::help", "Help page not found") + QStringLiteral("</h2><p>") +
           QCoreApplication::translate("accrua::help",
                                       "The help page <b>%1</b> does not exist. Reinstalling Accrua puts the "
                                       "help pages back in place.")
               .arg(path.toHtmlEscaped()) +
           QStringLiteral("</p></body></html>");
}

QString unreadableTopicHtml(const QString &path, const QString &why)
{
    return QStringLiteral("<html><body><h2>") +
           QCoreApplication::translate("accrua::help", "Help page not shown") + QStringLiteral("</h2><p>") +
           QCoreApplication::translate("accrua::help", "The help page <b>%1</b> cannot be shown: %2.")
               .arg(path.toHtmlEscaped(), why.toHtmlEscaped()) +
           QStringLiteral("</p></body></html>");
}

} // namespace accrua::help
