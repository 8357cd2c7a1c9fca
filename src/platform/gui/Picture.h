#pragma once
// Reading a picture file whole, or not at all. The image reader alone returns a bitmap cut
// short as a full-size picture whose missing rows are whatever the memory held, and it opens
// whatever the name leads to, a pipe that never answers included.

#include <QImage>
#include <QString>

namespace platform {

enum class PictureProblem {
    None,
    Missing,    // nothing of that name
    NotAFile,   // a folder, a pipe, a device
    TooLarge,   // more pixels than the image reader may allocate
    Unreadable, // not a picture, or one that is cut short
};

struct PictureReading
{
    QImage image; // null unless problem is None
    PictureProblem problem = PictureProblem::None;
};

PictureReading ReadPicture(const QString& path);

} // namespace platform
