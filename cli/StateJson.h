#pragma once

#include <string>

class CTavView;

// The one-line JSON object of the "state" command.
std::string StateJson(const CTavView& view);
