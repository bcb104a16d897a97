#pragma once

#include <exception>
#include <string>

// One line for the user: the file at fault and what is wrong with it.
std::string DescribeFatalError(const std::exception& error);

// Writes `line` to stderr and, where a display exists, shows it in a message box.
void ReportError(const std::string& line);
