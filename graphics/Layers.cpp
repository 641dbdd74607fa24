#include "graphics/Layers.h"
