#include "toollibrary/ToolTable.h"

#include "platform/AppPaths.h"
#include "platform/QuotedText.h"
#include "platform/VbNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace tooltable {

namespace {

// Both files are plain 8-bit text; names written by this program are UTF-8, older ones may
// be in a single-byte code page.
QStringList readLines(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line, not a line
    return lines;
}

std::optional<QByteArray> readFile(const QString& path, QString* why)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        if (why)
            *why = QFileInfo::exists(path) ? QStringLiteral("it is not a file") : QStringLiteral("it does not exist");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (why)
            *why = file.errorString();
        return std::nullopt;
    }
    // A list or description of any real use is a few hundred bytes.
    constexpr qint64 limit = 1 << 20;
    if (file.size() > limit) {
        if (why)
            *why = QStringLiteral("it is larger than 1 MB");
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace

QString ToolListPath()
{
    // "\Tools\ToolList.ini" as the program names it, but always in the folder the pictures
    // come from: a missing folder is then made once, as "tools".
    return platform::ResolvePath(ToolsFolder() + QStringLiteral("/ToolList.ini"));
}

QString ToolsFolder()
{
    return platform::ProgramFile(QStringLiteral("\\tools"));
}

QStringList ToolPictures(const QString& folder)
{
    QStringList names = QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files); // any letter case
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString ToolPicturePath(const QString& fileName)
{
    return platform::ProgramFile(QStringLiteral("\\tools\\") + fileName);
}

ToolListReading ReadToolList(const QString& path, ToolFileTable& files)
{
    ToolListReading result;
    QString why;
    const auto bytes = readFile(path, &why);
    if (!bytes) {
        result.problem = QStringLiteral("The tool list %1 could not be read: %2. No tool pictures are assigned from it.")
                             .arg(QDir::toNativeSeparators(path), why);
        return result;
    }
    const QStringList lines = readLines(*bytes);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(u'=');
        std::optional<qint16> number;
        if (parts.size() >= 2)
            if (const auto v = vb::ParseStoredNumber(parts[0]))
                number = vb::ToInt16(*v);
        if (!number || *number < 0 || *number >= ToolCount) {
            if (result.problem.isEmpty())
                result.problem = QStringLiteral("The tool list %1 has lines that were skipped, the first of them "
                                                "line %2: \"%3\". Each line must hold a tool number from 0 to 20, "
                                                "\"=\" and the name of a picture in the tools folder.")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(i + 1)
                                     .arg(platform::QuotedText(line));
            continue;
        }
        files[size_t(*number)] = parts[1];
        result.items << QStringLiteral("Tool ") + QString::number(*number);
    }
    return result;
}

QString WriteToolList(const QString& path, const ToolFileTable& files)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("the folder %1 could not be made").arg(QDir::toNativeSeparators(info.absolutePath()));
    QByteArray text;
    for (int n = 0; n < ToolCount; ++n)
        text += QByteArray::number(n) + '=' + files[size_t(n)].toUtf8() + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(text) != text.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString DescriptionPath(const QString& picturePath)
{
    return platform::ResolvePath(picturePath.left(qMax<qsizetype>(0, picturePath.size() - 3)) + QStringLiteral("ini"));
}

ToolDescription ReadToolDescription(const QString& descriptionPath)
{
    ToolDescription d;
    const auto bytes = readFile(descriptionPath, nullptr);
    if (!bytes)
        return d;
    d.found = true;
    for (const QString& line : readLines(*bytes)) {
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(u'=');
        if (parts.size() < 2)
            continue; // no value to take
        d.keys[parts[0].toUpper()] = vb::Trim(parts[1]);
    }
    return d;
}

std::optional<qint16> SizeValue(const ToolDescription& description, const QString& key)
{
    const auto it = description.keys.find(key);
    if (it == description.keys.end())
        return std::nullopt;
    const auto v = vb::ParseStoredNumber(*it);
    return v ? vb::ToInt16(*v) : std::nullopt;
}

} // namespace tooltable
