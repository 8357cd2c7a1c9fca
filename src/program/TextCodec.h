#pragma once
// The 8-bit texts the program reads and writes (part programs, the tool list, the tool
// descriptions): UTF-8 where the bytes are valid UTF-8, otherwise Windows-1252, the code page
// such files were written in before.

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace program {

// Windows-1252; the five codes it leaves unassigned stay as their C1 controls, as Windows
// itself reads them.
QString FromWindows1252(QByteArrayView bytes);
// False, with the first character it cannot hold in `unfit`, when Windows-1252 cannot hold
// the text; `bytes` is then incomplete.
bool ToWindows1252(QStringView text, QByteArray& bytes, QChar* unfit = nullptr);

// UTF-8 (a leading byte-order mark dropped) when the bytes are valid UTF-8 as a whole,
// otherwise Windows-1252; `utf8` tells which.
QString FromUtf8OrWindows1252(QByteArrayView bytes, bool* utf8 = nullptr);

} // namespace program
