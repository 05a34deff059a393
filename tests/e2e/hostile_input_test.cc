// Names and contents a user should not give the program: every run ends
// normally, the user's files stay as they were, and nothing outside the
// working folder is touched.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// What a name that climbs out of compare_in and the working folder aims at:
// a name no other process uses.
const std::string kOutside = "quillon-hostile-" + std::to_string(getpid()) + ".txt";

bool ReachedOutside(const Workspace& workspace) {
  fs::path root = workspace.root();
  return fs::exists(root.parent_path() / kOutside) || fs::exists(root / kOutside);
}

// Every byte of a name reaches the disk as it is, never as a pattern or a
// folder, and the next run in the same folder works as well; a NUL byte in
// the text is a byte like any other.
TEST(HostileInputTest, NamesAShellWouldTakeApartAreCleanedAndCompared) {
  const struct {
    const char* what;
    std::string given, clean;
  } cases[] = {
      {"shell characters and quotes", "a&b|c;d$e(f)g<h>i\"j'k.txt", "a_b_c_d_e_f_g_h_i_j_k.txt"},
      {"a star, as a pattern matching 0.txt too", "*.txt", "_.txt"},
      {"climbing after the marker", "c d.txt\\..\\..\\" + kOutside, "c_d.txt_.._.._" + kOutside},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    Put(workspace, {{c.given, "hostile\0name\r\n"s}, {"0.txt", "partner\r\n"}});
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    for (int run = 0; run < 2; ++run) {
      EXPECT_EQ(outcome.status, 0);
      EXPECT_NE(outcome.transcript.find(FileList({"0.txt", c.clean})), std::string::npos);
      EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
      EXPECT_EQ(workspace.Files("compare_in"),
                (FileMap{{"0.txt", "partner\r\n"}, {c.clean, "hostile\0name\r\n"s}}));
      EXPECT_EQ(workspace.read("htm_out/compare.htm"),
                ComparePage("100%", {"partner"}, {"hostile\0name"s}));
      outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    }
    EXPECT_FALSE(ReachedOutside(workspace));
  }
}

TEST(HostileInputTest, ContentsOfAnyBytesAreComparedAndIndexed) {
  std::string binary;
  for (int i = 0; i < 65536; ++i) binary += static_cast<char>((i * 7919 + i / 251) % 256);
  const struct {
    const char* what;
    std::string content;
    std::vector<std::string> cell;  // compare.htm's left cell; not checked for binary bytes
  } cases[] = {
      {"binary", binary, {}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    FileMap inputs = {{"a.txt", c.content}, {"b.txt", "partner words\r\n"}};
    // An empty first file counts as a duplicate of any other: key 1 goes on.
    Put(workspace, inputs);
    Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\n1x"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
    EXPECT_EQ(workspace.Files("compare_in"), inputs);
    FileMap delivered = workspace.Files("htm_out");
    for (const char* page :
         {"compare.htm", "page_01.htm", "i_1.htm", "s_1.htm", "index.htm", "changes.htm"}) {
      EXPECT_EQ(delivered.count(page), 1u) << page;
    }
    // The binary file is larger than a part: its comparison is indexed in parts.
    if (c.content == binary) continue;
    EXPECT_EQ(delivered.size(), 7u);
    EXPECT_EQ(workspace.read("htm_out/compare.htm"),
              ComparePage("100%", c.cell, {"partner words"}));
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
