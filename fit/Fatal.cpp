#include "fit/Fatal.h"

void fatal(const std::string& message) { throw FitFailure(message); }
