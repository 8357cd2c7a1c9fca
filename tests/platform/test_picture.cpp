#include "platform/gui/Picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

using platform::PictureProblem;
using platform::ReadPicture;

namespace {

QByteArray le(quint32 v, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
    return b;
}

QByteArray saved(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "BMP"));
    return bytes;
}

// A 24-bit bitmap of 3 x 2 whose rows are stored top first (a negative height).
QByteArray topDown()
{
    const QByteArray rows = QByteArray("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9) + QByteArray(3, '\0') +
                            QByteArray("\xFF\x00\xFF\xFF\x00\xFF\xFF\x00\xFF", 9) + QByteArray(3, '\0');
    return "BM" + le(54 + rows.size(), 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(3, 4) + le(quint32(-2), 4) +
           le(1, 2) + le(24, 2) + le(0, 4) + le(rows.size(), 4) + QByteArray(16, '\0') + rows;
}

// An 8-bit run-length coded bitmap of 4 x 3: colour 1 everywhere but the first two pixels
// of the middle row, which a literal run sets to colour 0.
QByteArray runLength()
{
    const QByteArray palette = le(0x00FF00FF, 4) + le(0x00302010, 4);
    const QByteArray data = QByteArray("\x04\x01\x00\x00"       // row 0 (bottom): four of colour 1
                                       "\x00\x04\x00\x00\x01\x01\x00\x00" // row 1: literal 0 0 1 1, end of line
                                       "\x04\x01\x00\x00"       // row 2
                                       "\x00\x01",              // end of bitmap
                                       18);
    const int offset = 54 + palette.size();
    return "BM" + le(offset + data.size(), 4) + le(0, 4) + le(offset, 4) + le(40, 4) + le(4, 4) + le(3, 4) + le(1, 2) +
           le(8, 2) + le(1, 4) + le(data.size(), 4) + le(0, 4) + le(0, 4) + le(2, 4) + le(0, 4) + palette + data;
}

// A bitmap with the oldest, 12-byte header: 2 x 1 at 24 bits.
QByteArray coreHeader()
{
    const QByteArray row = QByteArray("\x10\x20\x30\xFF\x00\xFF", 6) + QByteArray(2, '\0');
    return "BM" + le(26 + row.size(), 4) + le(0, 4) + le(26, 4) + le(12, 4) + le(2, 2) + le(1, 2) + le(1, 2) +
           le(24, 2) + row;
}

} // namespace

class Pictures : public ::testing::Test
{
protected:
    QString Put(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QTemporaryDir dir;
};

TEST_F(Pictures, EveryKindOfBitmapLoadsWholeAndOneByteLessIsRefused)
{
    QImage colour(67, 101, QImage::Format_RGB888);
    colour.fill(QColor(255, 0, 255));
    colour.setPixel(0, 100, qRgb(10, 20, 30));
    QImage indexed(7, 5, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 255), qRgb(1, 2, 3)});
    indexed.fill(1);
    QImage mono(9, 4, QImage::Format_Mono);
    mono.fill(0);

    struct Case
    {
        const char* kind;
        QByteArray bytes;
        QSize size;
    };
    const Case cases[] = {
        {"24 bits", saved(colour), {67, 101}},
        {"8 bits", saved(indexed), {7, 5}},
        {"1 bit", saved(mono), {9, 4}},
        {"top down", topDown(), {3, 2}},
        {"run-length", runLength(), {4, 3}},
        {"12-byte header", coreHeader(), {2, 1}},
    };
    for (const Case& c : cases) {
        const auto whole = ReadPicture(Put("whole.bmp", c.bytes));
        EXPECT_EQ(whole.problem, PictureProblem::None) << c.kind;
        EXPECT_EQ(whole.image.size(), c.size) << c.kind;
        EXPECT_EQ(whole.image, QImage(dir.filePath("whole.bmp"))) << c.kind; // as the reader alone reads it
        const auto cut = ReadPicture(Put("cut.bmp", c.bytes.left(c.bytes.size() - 1)));
        EXPECT_EQ(cut.problem, PictureProblem::Unreadable) << c.kind;
        EXPECT_TRUE(cut.image.isNull()) << c.kind;
    }
    const QImage runs = ReadPicture(Put("runs.bmp", runLength())).image.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(runs.pixel(0, 1), qRgb(255, 0, 255));
    EXPECT_EQ(runs.pixel(2, 1), qRgb(0x30, 0x20, 0x10));
}

TEST_F(Pictures, WhatCannotBeReadSaysWhy)
{
    QImage wide(1000, 300, QImage::Format_RGB888); // 1.2 MB as the reader holds it
    wide.fill(Qt::white);
    const QString widePath = Put("wide.bmp", saved(wide));
    const QString fifo = dir.filePath("pipe.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));

    EXPECT_EQ(ReadPicture(dir.filePath("none.bmp")).problem, PictureProblem::Missing);
    EXPECT_EQ(ReadPicture(QString()).problem, PictureProblem::Missing);
    EXPECT_EQ(ReadPicture(fifo).problem, PictureProblem::NotAFile); // at once, with no writer
    EXPECT_EQ(ReadPicture(dir.filePath("folder.bmp")).problem, PictureProblem::NotAFile);
    EXPECT_EQ(ReadPicture(Put("text.bmp", "not a picture")).problem, PictureProblem::Unreadable);
    EXPECT_EQ(ReadPicture(Put("empty.bmp", QByteArray())).problem, PictureProblem::Unreadable);

    const int usual = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const auto limited = ReadPicture(widePath);
    QImageReader::setAllocationLimit(usual);
    EXPECT_EQ(limited.problem, PictureProblem::TooLarge);
    EXPECT_TRUE(limited.image.isNull());
    EXPECT_EQ(ReadPicture(widePath).image.size(), QSize(1000, 300));
}
