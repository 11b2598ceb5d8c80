#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits the text after the program name into paths. Double quotes group a
// path holding blanks; outside quotes a blank separates paths; empty pieces
// are skipped. An opening quote without a closing one takes the rest of the
// line as one path, since a quote means the user meant one path with blanks.
std::vector<std::wstring> SplitCommandLinePaths(std::wstring_view arguments);

// The part of a full command line after the program name (which may be
// quoted), as the system would hand it to the program's entry point.
std::wstring_view CommandLineArguments(std::wstring_view commandLine);
