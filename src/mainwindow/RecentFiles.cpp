#include "mainwindow/RecentFiles.h"

#include "platform/SettingsStore.h"
#include "settings/GlobalVariables.h"

#include <algorithm>

namespace mainwindow::recent {

namespace {

void putEntry(platform::SettingsStore& store, int index, const QString& path)
{
    store.SaveSetting(settings::AppName, RecentFilesSection, QString::number(index), path);
}

} // namespace

QString GetFileName(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString RecentFileEntry(platform::SettingsStore& store, int index)
{
    return store.GetSetting(settings::AppName, RecentFilesSection, QString::number(index));
}

QStringList RecentFileCaptions(platform::SettingsStore& store)
{
    QStringList captions;
    for (int i = 0; i < 4; ++i) {
        const QString entry = RecentFileEntry(store, i);
        if (entry.isEmpty())
            break;
        captions << QStringLiteral("&") + QString::number(i + 1) + QStringLiteral("   ") + GetFileName(entry);
    }
    return captions;
}

void PushRecentFile(platform::SettingsStore& store, const QString& path, int itemsShown, bool listEmpty)
{
    if (!listEmpty)
        for (int k = itemsShown - 1; k >= 0; --k)
            putEntry(store, k + 1, RecentFileEntry(store, k));
    putEntry(store, 0, path);
}

void RaiseRecentFile(platform::SettingsStore& store, int index)
{
    const QString p = RecentFileEntry(store, index);
    for (int k = index - 1; k >= 0; --k)
        putEntry(store, k + 1, RecentFileEntry(store, k));
    putEntry(store, 0, p);
}

} // namespace mainwindow::recent
