#pragma once

#include <string>

// Writes `line` to stderr and, where a display exists, shows it in a message box.
void ReportError(const std::string& line);
