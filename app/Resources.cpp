#include "Resources.h"

#include <QtGlobal>

void InitImageResources()
{
    Q_INIT_RESOURCE(resources);
}
