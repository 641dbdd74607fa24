#include "graphics/LowLevel.h"
