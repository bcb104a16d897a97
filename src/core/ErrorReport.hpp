#pragma once

#include <exception>
#include <string>

// One line for the user: the file at fault and what is wrong with it.
std::string DescribeFatalError(const std::exception& error);

// Writes `line` to stderr only: for a problem the game shows in its own window (a message box
// for a fatal one is the platform's: ReportError).
void ReportToLog(const std::string& line);
