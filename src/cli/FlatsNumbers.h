#pragma once
#include <string>

namespace pw {

// Millimetres as typed on the command line, within [least, most].
bool ParseMillimetres(const std::string& text, double& value, double least, double most);

}  // namespace pw
