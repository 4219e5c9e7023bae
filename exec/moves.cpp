#include "exec/moves.h"
