#include "Resources.h"

#include <QtGlobal>

void InitImageResources()
{
    Q_INIT_RESOURCE(resources);
}

QFont PixelFont(const QString &family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
