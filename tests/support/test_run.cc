#include "support/test_run.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "app/phase_table.h"

namespace quillon {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937 pick(seed());
  std::error_code error;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("quillon-test-" + std::to_string(pick()));
    if (fs::create_directory(candidate, error)) {
      root_ = candidate.generic_string();
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

TempDir::~TempDir() {
  std::error_code error;
  if (!getenv("QUILLON_KEEP_WORKSPACE")) fs::remove_all(root_, error);
}

void TempDir::write(const std::string& path, const std::string& content) const {
  fs::path full = fs::path(root_) / path;
  std::error_code error;
  fs::create_directories(full.parent_path(), error);
  std::ofstream(full, std::ios::binary) << content;
}

bool TempDir::Exists(const std::string& path) const {
  return fs::exists(fs::path(root_) / path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

FileMap FilesBelow(const std::string& dir) {
  FileMap files;
  std::error_code missing;
  for (fs::recursive_directory_iterator it(dir, missing), end; it != end; it.increment(missing)) {
    if (!it->is_directory())
      files[it->path().lexically_relative(dir).string()] = ReadFile(it->path().string());
  }
  return files;
}

bool RunPhases(Run& run, RunState& state, const std::string& first, const std::string& last) {
  return Completes([&] { run_phases(run, state, first, last); });
}

std::string WithoutClock(const std::string& text) {
  static const std::regex date("Date \\(mm-dd-yy\\) = [0-9-]+<br>");
  static const std::regex time("Time \\(h:m:s\\)    = [0-9:]+<br>");
  std::string out = std::regex_replace(text, date, "Date (mm-dd-yy) = DATE<br>");
  return std::regex_replace(out, time, "Time (h:m:s)    = TIME<br>");
}

}  // namespace quillon
