#pragma once
// Files beside the executable. The program names them Windows-style ("\sound\SLOW.wav",
// "\Tools\ToolList.ini"); here they are found on a case-sensitive file system.

#include <QString>

namespace platform {

// The folder that holds the executable, without a trailing separator.
QString AppPath();
// Tests point the program's folder elsewhere; an empty path restores the real one. Returns
// the previous path.
QString SetAppPathForTesting(QString path);

// A path as the program builds it (any mix of "\" and "/"), mapped to this file system:
// separators become "/", and each part that does not exist as spelled is matched to an
// entry of its folder that differs only in letter case. A part that matches nothing is kept
// as spelled, so the result names the file that would be created.
QString ResolvePath(const QString& windowsStylePath);

// A file of the program's folder named as the program names it, such as "\sound\stop.wav".
QString ProgramFile(const QString& relative);

} // namespace platform
