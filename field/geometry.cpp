#include "field/geometry.h"
