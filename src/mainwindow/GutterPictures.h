#pragma once
// The program grid's gutter pictures, keyed "Break", "Step" and "Both".

#include <QPixmap>
#include <QString>

QPixmap GutterPicture(const QString& key);
