// The small check library of the Windows check program (GoogleTest is not
// built for MinGW here). Each check is a row of a table: a call, answered
// as one line of text. The program prints "what: answer" for every row and
// tests/wine/run compares the lines with checks.expected.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace checks {

// The rows run in order, so a row may act on what the rows above it left.
struct Row {
  std::string what;
  std::function<std::string()> answer;
};
void Print(const std::vector<Row>& rows);

std::string Num(long long value);
std::string Bits(std::initializer_list<bool> bits);  // "1" for each true, "0" for each false
// The parts that are not empty, joined with spaces. Unlike the operands of
// +, the parts are made in order: a call first, then what it left.
std::string Join(std::initializer_list<std::string> parts);

// The groups of checks, one per part of the Windows build.
void RunMachineChecks();
void RunFrontEndChecks();  // needs a display

}  // namespace checks
