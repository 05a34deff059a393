#include "workspace.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace quillon {
namespace e2e {
namespace {

void Send(int fd, const std::string& keys) {
  for (size_t sent = 0; fd >= 0 && sent < keys.size();) {
    ssize_t put = write(fd, keys.data() + sent, keys.size() - sent);
    if (put <= 0) break;
    sent += static_cast<size_t>(put);
  }
}

bool ReadMore(int fd, std::string* text) {
  char buffer[65536];
  ssize_t got = fd < 0 ? 0 : read(fd, buffer, sizeof buffer);
  if (got > 0) text->append(buffer, static_cast<size_t>(got));
  return got > 0;
}

}  // namespace

void ExecQuillon(const Workspace& workspace, const std::vector<std::string>& args) {
  if (chdir(workspace.root().c_str()) != 0) _exit(127);
  // The test runner's own signal settings must not leak into the program.
  signal(SIGINT, SIG_DFL);
  signal(SIGPIPE, SIG_DFL);
  alarm(120);
  std::vector<char*> argv = {const_cast<char*>("quillon")};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(QUILLON_BINARY, argv.data());
  _exit(127);
}

Command::Command(const Workspace& workspace, const std::vector<std::string>& args,
                 const std::string& keys, const Io& io) {
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(io.out_fd >= 0 ? io.out_fd : out[1], 1);
    dup2(io.err_apart ? err[1] : 1, 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    if (!io.tmp.empty()) setenv("TMPDIR", io.tmp.c_str(), 1);
    ExecQuillon(workspace, args);
  }
  for (int fd : {in[0], out[1], err[1]}) close(fd);
  in_ = in[1], out_ = out[0], err_ = err[0];
  signal(SIGPIPE, SIG_IGN);
  Send(in_, keys);
  if (!io.more_keys) Type("");
}

Command::~Command() {
  if (!reaped_) kill(pid_, SIGKILL);
  Finish();
}

bool Command::ReadUntil(const std::string& text) {
  while (out.find(text) == std::string::npos) {
    if (!ReadMore(out_, &out)) return false;
  }
  return true;
}

void Command::Type(const std::string& keys) {
  Send(in_, keys);
  if (in_ >= 0) close(in_);
  in_ = -1;
}

int Command::Finish() {
  Type("");
  while (ReadMore(out_, &out)) {
  }
  while (ReadMore(err_, &err)) {
  }
  for (int* fd : {&out_, &err_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
  if (!reaped_) waitpid(pid_, &wait_status_, 0);
  reaped_ = true;
  return WIFEXITED(wait_status_) ? WEXITSTATUS(wait_status_) : -1;
}

bool Command::Running() {
  if (!reaped_ && waitpid(pid_, &wait_status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

Outcome RunQuillon(const Workspace& workspace, const std::string& keys,
                   const std::vector<std::string>& args) {
  Command command(workspace, args, keys);
  int status = command.Finish();
  return {command.out, status};
}

std::string SourcePath(const std::string& path) {
  return std::string(QUILLON_SOURCE_DIR) + "/" + path;
}

}  // namespace e2e
}  // namespace quillon
