#include "program/ProgramFile.h"

#include "program/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace program {

namespace {

QString withPath(const QString& path, const QString& reason)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

} // namespace

QString LineEndsAsLf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString DecodeProgramText(const QByteArray& bytes, FileEncoding* encoding)
{
    bool utf8 = true;
    const QString text = FromUtf8OrWindows1252(bytes, &utf8);
    const FileEncoding found = !utf8 ? FileEncoding::Windows1252
                               : bytes.startsWith("\xEF\xBB\xBF") ? FileEncoding::Utf8Bom
                                                                  : FileEncoding::Utf8;
    if (encoding)
        *encoding = found;
    return LineEndsAsLf(text).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

bool EncodeProgramText(const QString& text, FileEncoding encoding, QByteArray& bytes, QChar* unfit)
{
    if (encoding != FileEncoding::Windows1252) {
        bytes = (encoding == FileEncoding::Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
        return true;
    }
    return ToWindows1252(text, bytes, unfit);
}

ProgramFileReading ReadProgramFile(const QString& path)
{
    ProgramFileReading r;
    const auto fail = [&](const QString& reason) {
        r.error = withPath(path, reason);
        return r;
    };
    // Checked before opening: a FIFO would block the open, a device never ends.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(info.isDir() ? QStringLiteral("this is a folder, not a program file.")
                                 : QStringLiteral("this is not a regular file, so it cannot be a program file."));
    const QString tooLarge = QStringLiteral("the file is larger than %1 MB, more than any part program can be; "
                                            "it was not opened.").arg(MaxFileBytes / (1024 * 1024));
    if (info.size() > MaxFileBytes)
        return fail(tooLarge);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    // A file that grew since it was looked at is read no further than the limit.
    const QByteArray bytes = f.read(MaxFileBytes + 1);
    if (f.error() != QFileDevice::NoError)
        return fail(f.errorString());
    if (bytes.size() > MaxFileBytes)
        return fail(tooLarge);
    r.text = DecodeProgramText(bytes, &r.encoding);
    return r;
}

QString WriteProgramFile(const QString& path, const QString& text, FileEncoding encoding)
{
    QByteArray bytes;
    QChar unfit;
    if (!EncodeProgramText(text, encoding, bytes, &unfit)) {
        const int line = int(text.left(text.indexOf(unfit)).count(QLatin1String("\r\n"))) + 1;
        return withPath(path, QStringLiteral("line %1 holds the character \"%2\", which the file's encoding, "
                                             "Windows-1252, cannot hold. Replace it and save again.")
                                  .arg(line)
                                  .arg(unfit));
    }
    QSaveFile f(path);
    const auto fail = [&](int systemError) {
        // A write cut short (a full disk, say) sets no error of the file's own: the system's
        // reason is in errno.
        const QString why = withPath(path, f.error() == QFileDevice::NoError && systemError != 0
                                               ? QString::fromLocal8Bit(std::strerror(systemError))
                                               : f.errorString());
        f.cancelWriting();
        return why;
    };
    // Unbuffered, so that a failing write fails here, where its reason is known.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(0);
    errno = 0;
    const qint64 written = f.write(bytes);
    const int writeError = errno;
    if (written != bytes.size())
        return fail(writeError != 0 ? writeError : EIO);
    errno = 0;
    if (!f.commit())
        return fail(errno);
    return QString();
}

} // namespace program
