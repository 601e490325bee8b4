#include "fit/PeakModel.h"

int g_function = 1;
