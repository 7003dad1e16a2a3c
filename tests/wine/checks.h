// The small check library of the Windows check program (GoogleTest is not
// built for MinGW here): each failed check prints one line; the program's
// last line counts them ("N passed, N failed").
#pragma once

#include <string>

namespace checks {

void Check(bool ok, const std::string& what, const std::string& detail = "");
void CheckEqual(long long got, long long want, const std::string& what);
void CheckText(const std::string& got, const std::string& want, const std::string& what);

std::string Num(long long value);

// The groups of checks, one per part of the Windows build.
void RunMachineChecks();
void RunFrontEndChecks();  // needs a display

}  // namespace checks
