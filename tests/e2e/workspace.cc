#include "workspace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace quillon {
namespace e2e {

namespace {

void MakeParents(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0777);
  }
}

void RemoveTree(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) {
    if (DIR* dir = opendir(path.c_str())) {
      while (struct dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") RemoveTree(path + "/" + name);
      }
      closedir(dir);
    }
    rmdir(path.c_str());
  } else {
    unlink(path.c_str());
  }
}

void Collect(const std::string& base, const std::string& rel,
             std::map<std::string, std::string>* files) {
  std::string path = rel.empty() ? base : base + "/" + rel;
  DIR* dir = opendir(path.c_str());
  if (!dir) return;
  while (struct dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string child = rel.empty() ? name : rel + "/" + name;
    struct stat info;
    if (stat((base + "/" + child).c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      Collect(base, child, files);
    } else {
      std::ifstream in(base + "/" + child, std::ios::binary);
      std::stringstream content;
      content << in.rdbuf();
      (*files)[child] = content.str();
    }
  }
  closedir(dir);
}

}  // namespace

Workspace::Workspace() {
  char pattern[] = "/tmp/quillon-e2e-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
}

Workspace::~Workspace() {
  if (!getenv("QUILLON_KEEP_WORKSPACE")) RemoveTree(root_);
}

void Workspace::Write(const std::string& path, const std::string& content) const {
  std::string full = root_ + "/" + path;
  MakeParents(full);
  std::ofstream out(full, std::ios::binary);
  out << content;
}

void Workspace::MakeDir(const std::string& path) const {
  std::string full = root_ + "/" + path + "/";
  MakeParents(full);
}

std::string Workspace::Read(const std::string& path) const {
  std::ifstream in(root_ + "/" + path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

bool Workspace::Exists(const std::string& path) const {
  struct stat info;
  return stat((root_ + "/" + path).c_str(), &info) == 0;
}

void Workspace::CollectTree(const std::string& dir, std::map<std::string, std::string>* files) {
  Collect(dir, "", files);
}

std::map<std::string, std::string> Workspace::Files(const std::string& dir) const {
  std::map<std::string, std::string> files;
  Collect(dir.empty() ? root_ : root_ + "/" + dir, "", &files);
  return files;
}

void Workspace::CopyFrom(const std::string& source_dir, const std::string& target) const {
  std::map<std::string, std::string> files;
  Collect(std::string(QUILLON_SOURCE_DIR) + "/" + source_dir, "", &files);
  for (const auto& file : files) Write(target + "/" + file.first, file.second);
}

Outcome RunQuillon(const Workspace& workspace, const std::string& keys, int timeout_seconds) {
  int input[2], output[2];
  if (pipe(input) != 0 || pipe(output) != 0) throw std::runtime_error("pipe failed");
  pid_t child = fork();
  if (child == 0) {
    dup2(input[0], 0);
    dup2(output[1], 1);
    dup2(output[1], 2);
    close(input[0]);
    close(input[1]);
    close(output[0]);
    close(output[1]);
    if (chdir(workspace.root().c_str()) != 0) _exit(127);
    alarm(static_cast<unsigned>(timeout_seconds));
    char* argv[] = {const_cast<char*>("quillon"), nullptr};
    execv(QUILLON_BINARY, argv);
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  signal(SIGPIPE, SIG_IGN);
  size_t sent = 0;
  while (sent < keys.size()) {
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

std::string SourceFile(const std::string& path) {
  std::ifstream in(std::string(QUILLON_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string WithoutClock(const std::string& text) {
  static const std::regex date("Date \\(mm-dd-yy\\) = [0-9-]+<br>");
  static const std::regex time("Time \\(h:m:s\\)    = [0-9:]+<br>");
  std::string out = std::regex_replace(text, date, "Date (mm-dd-yy) = DATE<br>");
  return std::regex_replace(out, time, "Time (h:m:s)    = TIME<br>");
}

}  // namespace e2e
}  // namespace quillon
