#include "field/glyph.h"
