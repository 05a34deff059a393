#include "support/test_run.h"

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
      path_ = candidate.generic_string();
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

TempDir::~TempDir() {
  std::error_code error;
  fs::remove_all(path_, error);
}

void DiskRun::write(const std::string& path, const std::string& content) {
  fs::path full = fs::path(dir.path()) / path;
  std::error_code error;
  fs::create_directories(full.parent_path(), error);
  std::ofstream out(full, std::ios::binary);
  out << content;
}

std::string DiskRun::read(const std::string& path) {
  std::ifstream in(dir.path() + "/" + path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
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
