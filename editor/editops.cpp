#include "editor/editops.h"
