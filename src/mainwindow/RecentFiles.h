#pragma once
// The recent-file list: application "CNC", section "RecentFilePaths", keys "0" (newest) to
// "4", each a full path; the menu shows the first four.

#include <QString>
#include <QStringList>

namespace platform { class SettingsStore; }

namespace mainwindow::recent {

inline const QString RecentFilesSection = QStringLiteral("RecentFilePaths");
inline const QString NoRecentFilesCaption = QStringLiteral("Recent Files");

// The part of a path after its last "\" or "/"; the whole path when it has neither.
QString GetFileName(const QString& path);

// Entry `index` of the list; "" when missing.
QString RecentFileEntry(platform::SettingsStore& store, int index);

// The menu captions, "&1   name" to "&4   name", ending at the first empty entry; none when
// entry "0" is empty.
QStringList RecentFileCaptions(platform::SettingsStore& store);

// Puts `path` at the top. `itemsShown` is the number of recent-file menu items (1 to 4) and
// `listEmpty` tells that item 0 shows "Recent Files": then nothing moves down. Otherwise the
// shown entries move down by one, so with four shown the old entry "4" is lost.
void PushRecentFile(platform::SettingsStore& store, const QString& path, int itemsShown, bool listEmpty);

// Moves entry `index` (0 to 3) to the top; the entries above it move down by one.
void RaiseRecentFile(platform::SettingsStore& store, int index);

} // namespace mainwindow::recent
