#pragma once
// Part program files: the bytes on disk as the editor's text (lines separated by CR LF) and
// back, and reading and writing them whole.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QtGlobal>

namespace program {

// The encodings a program file is read in and written back in.
enum class FileEncoding { Utf8, Utf8Bom, Windows1252 };
// Files larger than this are no part programs (a program has at most 32,767 lines).
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

// Every line end (CR LF, CR, LF, and the toolkit's own line and paragraph separators) as
// one LF.
QString LineEndsAsLf(QString text);

// Bytes as text: UTF-8 (a leading byte-order mark dropped) when valid, else Windows-1252;
// every line end becomes CR LF.
QString DecodeProgramText(const QByteArray& bytes, FileEncoding* encoding = nullptr);
// Text as bytes in an encoding; false, with the first character it cannot hold, when the
// encoding cannot hold them all.
bool EncodeProgramText(const QString& text, FileEncoding encoding, QByteArray& bytes, QChar* unfit = nullptr);

struct ProgramFileReading
{
    QString text;
    FileEncoding encoding = FileEncoding::Utf8;
    // Why the file could not be read, naming it; empty when it was.
    QString error;
};

// Reading refuses what is not a regular file or is larger than MaxFileBytes, and tells the
// encoding found (UTF-8 for pure ASCII). Writing is all or nothing: a failed write, or a
// character the encoding cannot hold, leaves the old file; it returns why, empty on success.
ProgramFileReading ReadProgramFile(const QString& path);
QString WriteProgramFile(const QString& path, const QString& text, FileEncoding encoding = FileEncoding::Utf8);

} // namespace program
