#include "toollibrary/ToolTable.h"

#include "platform/AppPaths.h"
#include "platform/QuotedText.h"
#include "platform/VbNumbers.h"
#include "program/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace toollibrary::tooltable {

namespace {

// Both files are plain 8-bit text: lines written by this program are UTF-8, lines of older
// files may be in the Windows code page, and a file may hold both. Each piece is decoded on
// its own, so one line in the code page leaves the others as they are.
QString decodePiece(QByteArrayView bytes)
{
    // A byte-order mark is dropped only at the start of the file (by splitLines).
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString text = utf8(bytes);
    return utf8.hasError() ? program::FromWindows1252(bytes) : text;
}

// The lines of a file as bytes: CR LF, LF and CR end a line; the end of the last line is no
// line of its own.
QList<QByteArray> splitLines(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
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
    names.removeIf([](const QString& name) { return !IsToolName(name); });
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

bool IsToolName(const QString& name)
{
    for (const QChar ch : name)
        if (ch == u'\r' || ch == u'\n' || ch == u'=' || ch == u'/' || ch == u'\\')
            return false;
    return name != QStringLiteral("..");
}

ToolListReading ReadToolList(const QString& path, ToolFileTable& files, ToolNameBytes* asRead)
{
    ToolListReading result;
    QString why;
    const auto bytes = readFile(path, &why);
    if (!bytes) {
        result.error = QStringLiteral("The tool list %1 could not be read: %2. No tool pictures are assigned from it.")
                             .arg(QDir::toNativeSeparators(path), why);
        return result;
    }
    const QList<QByteArray> lines = splitLines(*bytes);
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.isEmpty())
            continue;
        const QList<QByteArray> parts = line.split('=');
        std::optional<qint16> number;
        if (parts.size() >= 2)
            if (const auto v = platform::vb::ParseStoredNumber(decodePiece(parts[0])))
                number = platform::vb::ToInt16(*v);
        if (!number || *number < 0 || *number >= shared::ToolCount) {
            if (result.error.isEmpty())
                result.error = QStringLiteral("The tool list %1 has lines that were skipped, the first of them "
                                                "line %2: \"%3\". Each line must hold a tool number from 0 to 20, "
                                                "\"=\" and the name of a picture in the tools folder.")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(i + 1)
                                     .arg(platform::QuotedText(decodePiece(line)));
            continue;
        }
        files[size_t(*number)] = decodePiece(parts[1]);
        if (asRead)
            (*asRead)[size_t(*number)] = parts[1];
        result.items << QStringLiteral("Tool ") + QString::number(*number);
    }
    return result;
}

QString WriteToolList(const QString& path, const ToolFileTable& files, const ToolNameBytes* asRead)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("the folder %1 could not be made").arg(QDir::toNativeSeparators(info.absolutePath()));
    QByteArray text;
    for (int n = 0; n < shared::ToolCount; ++n) {
        // A name as it was read goes back in the bytes it was read in, whatever their code.
        const std::optional<QByteArray> read = asRead ? (*asRead)[size_t(n)] : std::nullopt;
        const QByteArray name = read && decodePiece(*read) == files[size_t(n)] ? *read : files[size_t(n)].toUtf8();
        text += QByteArray::number(n) + '=' + name + "\r\n";
    }
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
    for (const QByteArray& bytesOfLine : splitLines(*bytes)) {
        const QString line = decodePiece(bytesOfLine);
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(u'=');
        if (parts.size() < 2)
            continue; // no value to take
        d.keys[parts[0].toUpper()] = platform::vb::Trim(parts[1]);
    }
    return d;
}

std::optional<qint16> SizeValue(const ToolDescription& description, const QString& key)
{
    const auto it = description.keys.find(key);
    if (it == description.keys.end())
        return std::nullopt;
    const auto v = platform::vb::ParseStoredNumber(*it);
    return v ? platform::vb::ToInt16(*v) : std::nullopt;
}

} // namespace toollibrary::tooltable
