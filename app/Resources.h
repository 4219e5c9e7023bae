#pragma once
// The images and fonts the windows share.

#include <QFont>

// The images are compiled into the program's library; a window that uses
// them calls this first so the linker keeps them.
void InitImageResources();

// A font of the family at a size in pixels, so that it looks the same at any
// screen resolution.
QFont PixelFont(const QString &family, int pixels, bool bold);
