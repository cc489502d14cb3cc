#pragma once

#include <QString>
#include <QStringList>

// The folders searched for the web search plugin: the build tree's plugins
// folder beside the executable's, then the installed one.
QStringList webSearchPluginFolders();

// Finds the first plugin in `folders` with the web search interface, creates
// a fresh instance, runs its search and releases it. Returns whether a
// search ran; a missing, broken or failing plugin is otherwise silent.
bool runWebSearchPlugin(const QString &query, const QString &site, const QStringList &folders);
