#include "graphics/Bitmap32.h"
