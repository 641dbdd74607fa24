#include "graphics/Image32.h"
