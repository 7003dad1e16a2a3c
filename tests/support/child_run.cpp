#include "support/child_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "support/temp_dir.h"

namespace tpl::test {

ChildRun RunInChild(const std::string& scratch, const std::string& cwd,
                    const std::function<int()>& body) {
  const std::string outPath = scratch + "/stdout", errPath = scratch + "/stderr";
  const pid_t child = fork();
  if (child == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
        dup2(err, 2) < 0 || chdir(cwd.c_str()) != 0) {
      _exit(127);
    }
    const int status = body();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(status);
  }
  int wstatus = 0;
  ChildRun run;
  if (child > 0 && waitpid(child, &wstatus, 0) == child && WIFEXITED(wstatus)) {
    run.status = WEXITSTATUS(wstatus);
  }
  run.out = ReadHostFile(outPath);
  run.err = ReadHostFile(errPath);
  return run;
}

}  // namespace tpl::test
