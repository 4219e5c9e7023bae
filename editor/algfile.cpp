#include "editor/algfile.h"
