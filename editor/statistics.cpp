#include "editor/statistics.h"
