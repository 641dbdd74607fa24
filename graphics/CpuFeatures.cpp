#include "graphics/CpuFeatures.h"
