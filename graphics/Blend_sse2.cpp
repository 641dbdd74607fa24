#include "graphics/Blend.h"
