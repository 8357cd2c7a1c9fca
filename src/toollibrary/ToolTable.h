#pragma once
// The tool table on disk: the tool list file that names a picture for each tool number, and
// the description files that come with the pictures. Plain code, no window: the tool change
// and the Tool Library both read through here.

#include "shared/SharedState.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>

namespace toollibrary::tooltable {

using ToolFileTable = std::array<QString, shared::ToolCount>;

// "\Tools\ToolList.ini" beside the executable: the list file in the tools folder, both found
// without regard to letter case.
QString ToolListPath();
// The tools folder beside the executable ("\tools"), found the same way.
QString ToolsFolder();
// Whether a picture's name can be assigned to a tool: the list holds a name on one line and
// up to a second "=", so a line break or "=" in it would change the list; "/", "\" (a folder
// separator where the program builds its paths) or ".." would lead out of the tools folder.
bool IsToolName(const QString& name);
// The "*.bmp" files of a folder that can be assigned (IsToolName), the pattern matched without
// regard to letter case, sorted without regard to it (names that differ only in case all
// appear, in a fixed order).
QStringList ToolPictures(const QString& folder);
// The picture of a tool file name as the tool change builds it: "\tools\" and the name.
QString ToolPicturePath(const QString& fileName);

struct ToolListReading
{
    QStringList items;  // "Tool n" for each line read, in the order of the lines
    // Empty when the file was read cleanly; otherwise one message that names the file and
    // what was wrong with it (the first line skipped, or why it could not be read).
    QString error;
};

// The bytes a reading took each entry's name from, for the entries some reading has set.
using ToolNameBytes = std::array<std::optional<QByteArray>, shared::ToolCount>;

// Reads the list file into `files`: each line "n=name" sets entry n to the text between the
// first and a second "=", untrimmed, decoded as UTF-8 or, where its bytes are no UTF-8, as
// Windows-1252; `asRead` receives those bytes. Entries no line names keep their values. Empty
// lines are skipped; lines without "=", with a number that is not one or lies outside 0 to 20
// are skipped too and named in `error`.
ToolListReading ReadToolList(const QString& path, ToolFileTable& files, ToolNameBytes* asRead = nullptr);

// Writes all 21 lines "n=name" CR LF in the order 0 to 20: a name that is still what `asRead`
// held is written in the bytes it was read in, any other in UTF-8. The old file is replaced
// only once the new one is complete; the folder is made when it is missing. Returns an empty
// text on success, otherwise why it failed (the old file then stays as it was).
QString WriteToolList(const QString& path, const ToolFileTable& files, const ToolNameBytes* asRead = nullptr);

// A description file beside a picture: the picture's path with its last three characters
// replaced by "ini", found without regard to letter case.
QString DescriptionPath(const QString& picturePath);

struct ToolDescription
{
    bool found = false;          // the file could be read
    QMap<QString, QString> keys; // key in capitals -> value without surrounding spaces
};

// Reads key=value lines: the key is the text before the first "=" in capitals (blanks kept,
// so "TOOLWIDTH =" is no key), the value the text up to a second "=", without surrounding
// spaces; the last of repeated keys wins.
ToolDescription ReadToolDescription(const QString& descriptionPath);

// A size value of a description ("TOOLWIDTH", "TOOLHEIGHT") as a 16-bit whole number.
std::optional<qint16> SizeValue(const ToolDescription& description, const QString& key);

} // namespace toollibrary::tooltable
