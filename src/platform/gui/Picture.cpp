#include "platform/gui/Picture.h"

#include <QFile>
#include <QImageReader>
#include <QPixelFormat>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// The same sum the image reader makes before it allocates.
bool exceedsAllocationLimit(QSize size, QImage::Format format)
{
    const int limitMb = QImageReader::allocationLimit();
    if (limitMb <= 0 || !size.isValid() || format == QImage::Format_Invalid)
        return false;
    const qint64 depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 bytesPerLine = ((qint64(size.width()) * depth + 31) >> 5) << 2;
    return bytesPerLine * size.height() > (qint64(limitMb) << 20);
}

enum : quint32 { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6 };

// An RLE stream is whole when its end-of-bitmap mark is there.
bool rleStreamEnds(const uchar* data, qint64 size, qint64 pos, bool fourBit)
{
    while (pos + 2 <= size) {
        const uchar count = data[pos];
        const uchar code = data[pos + 1];
        pos += 2;
        if (count != 0 || code == 0)
            continue; // a run, or the end of a line
        if (code == 1)
            return true;
        if (code == 2) {
            pos += 2; // a jump
            continue;
        }
        const qint64 bytes = fourBit ? (code + 1) / 2 : code;
        pos += (bytes + 1) & ~qint64(1); // literal pixels, padded to a word
    }
    return false;
}

// A bitmap file with fewer bytes than its header says its pixels take.
bool bitmapIsCutShort(const QByteArray& head, QFile& file)
{
    if (head.size() < 26 || !head.startsWith("BM"))
        return false; // the reader refuses what is not even a header
    const qint64 size = file.size();
    const qint64 offset = le32(head, 10);
    const quint32 infoSize = le32(head, 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitCount = 0;
    quint32 compression = BiRgb;
    if (infoSize == 12) {
        width = le16(head, 18);
        height = le16(head, 20);
        bitCount = le16(head, 24);
    } else {
        if (head.size() < 34)
            return false;
        width = qint32(le32(head, 18));
        height = qint32(le32(head, 22));
        bitCount = le16(head, 28);
        compression = le32(head, 30);
    }
    if (compression == BiRgb || compression == BiBitfields || compression == BiAlphaBitfields) {
        const qint64 rowBytes = ((qAbs(width) * bitCount + 31) / 32) * 4;
        const qint64 pixelBytes = size - offset;
        return pixelBytes < 0 || (rowBytes > 0 && qAbs(height) > pixelBytes / rowBytes);
    }
    if (compression == BiRle8 || compression == BiRle4) {
        const uchar* data = file.map(0, size);
        if (!data)
            return false;
        const bool whole = rleStreamEnds(data, size, offset, compression == BiRle4);
        file.unmap(const_cast<uchar*>(data));
        return !whole;
    }
    return false;
}

} // namespace

PictureReading ReadPicture(const QString& path)
{
    PictureReading r;
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0) {
        r.problem = PictureProblem::Missing;
        return r;
    }
    // Checked again on what was opened: the name may have been given to a pipe meanwhile,
    // and without O_NONBLOCK opening a pipe waits for a writer.
    const int fd = S_ISREG(info.st_mode) ? ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        r.problem = S_ISREG(info.st_mode) ? PictureProblem::Unreadable : PictureProblem::NotAFile;
        return r;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        r.problem = PictureProblem::Unreadable;
        return r;
    }

    const QByteArray head = file.read(54);
    file.seek(0);
    QImageReader reader(&file);
    if (exceedsAllocationLimit(reader.size(), reader.imageFormat())) {
        r.problem = PictureProblem::TooLarge;
        return r;
    }
    if (reader.format() == "bmp" && bitmapIsCutShort(head, file)) {
        r.problem = PictureProblem::Unreadable;
        return r;
    }
    r.image = reader.read();
    if (r.image.isNull())
        r.problem = PictureProblem::Unreadable;
    return r;
}

} // namespace platform
