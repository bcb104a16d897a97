#pragma once

#include <exception>
#include <string>

// One line for the user: the file at fault and what is wrong with it.
std::string DescribeFatalError(const std::exception& error);

// Writes `line` to stderr and, where a display exists, shows it in a message box.
void ReportError(const std::string& line);

// Writes `line` to stderr only: for a problem the game shows in its own window.
void ReportToLog(const std::string& line);
