// A piece of a test run in a child process, as a program runs: standard
// input closed, standard output and error captured, in a folder of its own.
// The child may end itself at any point (exec, exit, a signal handler).
#pragma once

#include <functional>
#include <string>

namespace tpl::test {

struct ChildRun {
  int status = -1;  // the exit status; -1 when it did not exit normally
  std::string out, err;
};

// Runs `body` in a child in the folder `cwd`; its result is the exit status.
// The captured streams pass through files in `scratch`.
ChildRun RunInChild(const std::string& scratch, const std::string& cwd,
                    const std::function<int()>& body);

}  // namespace tpl::test
