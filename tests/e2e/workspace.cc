#include "workspace.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace quillon {
namespace e2e {

void ExecQuillon(const Workspace& workspace, const std::vector<std::string>& args) {
  if (chdir(workspace.root().c_str()) != 0) _exit(127);
  alarm(120);
  std::vector<char*> argv = {const_cast<char*>("quillon")};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(QUILLON_BINARY, argv.data());
  _exit(127);
}

Outcome RunQuillon(const Workspace& workspace, const std::string& keys,
                   const std::vector<std::string>& args) {
  int input[2], output[2];
  if (pipe(input) != 0 || pipe(output) != 0) throw std::runtime_error("pipe failed");
  pid_t child = fork();
  if (child == 0) {
    dup2(input[0], 0);
    dup2(output[1], 1);
    dup2(output[1], 2);
    for (int fd : {input[0], input[1], output[0], output[1]}) close(fd);
    ExecQuillon(workspace, args);
  }
  close(input[0]);
  close(output[1]);
  signal(SIGPIPE, SIG_IGN);
  for (size_t sent = 0; sent < keys.size();) {
    ssize_t put = write(input[1], keys.data() + sent, keys.size() - sent);
    if (put <= 0) break;
    sent += static_cast<size_t>(put);
  }
  close(input[1]);
  Outcome outcome;
  char buffer[65536];
  for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
    outcome.transcript.append(buffer, static_cast<size_t>(got));
  }
  close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

std::string SourcePath(const std::string& path) {
  return std::string(QUILLON_SOURCE_DIR) + "/" + path;
}

}  // namespace e2e
}  // namespace quillon
