// The help topics: a list of "file=title" entries, the rules that turn a
// chosen title into the full path of its page, and the captions of the
// topics dialog, the help window and the Help menu item. The windows in
// help/helpwindows.h only apply these rules.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace accrua::help {

struct HelpTopic {
    QString fileName;
    QString title;
};

// "file=title" split at the first "="; an entry without one is all title.
HelpTopic parseHelpEntry(const QString &entry);

// The titles in the order a sorted list box shows them: alphabetical,
// ignoring case, equal titles kept in their order.
QStringList sortedTitles(QStringList titles);

// Index of the first topic with this title, or -1.
int findTopic(const QList<HelpTopic> &topics, const QString &title);

// The folder part of the program's path without a trailing separator, except
// at the root, which keeps its one.
QString programFolder(const QString &programFilePath);

// The folder that holds the pages when they lie in `subDirectory`: beside the
// program when that folder exists (the build tree), else the installed one
// at ../share/accrua/<subDirectory>; when neither exists, the one beside the
// program, so that a missing page names the place it was looked for.
QString helpFolder(const QString &programFolder, const QString &subDirectory,
                   const std::function<bool(const QString &)> &folderExists);

// Full path of a topic's page: `helpFilePath` joined directly to the file
// name when it is not blank; else the program folder, the sub-folder and the
// file; else the program folder and the file.
QString topicPath(const QString &helpFilePath, const QString &subDirectory, const QString &programFolder,
                  const QString &fileName, const std::function<bool(const QString &)> &folderExists);

// The location the viewer is sent to for a topic path. Doubled separators
// (a program at the root) are taken as one, as a file system takes them.
QUrl topicUrl(const QString &path);

// `title` unless it is empty, then the application's title.
QString effectiveTitle(const QString &title, const QString &applicationTitle);

QString helpTopicsCaption(const QString &title);                       // "Help Topics: Accrua Help"
QString helpWindowCaption(const QString &title, const QString &topic); // "Accrua Help :  Accrua Topics"
QString helpContentsCaption(const QString &title);                     // "Accrua Help..."

// The short page the viewer shows for a page that does not exist.
QString missingTopicHtml(const QString &path);
// The one for a page that is there but cannot be shown, and why.
QString unreadableTopicHtml(const QString &path, const QString &why);

} // namespace accrua::help
