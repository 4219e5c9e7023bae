#include "editor/listing.h"
