#include "exec/engine.h"
