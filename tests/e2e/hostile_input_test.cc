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

long Count(const std::string& text, const std::string& part) {
  long count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// What a name that climbs out of compare_in and the working folder aims at:
// a name no other process uses.
const std::string kOutside = "quillon-hostile-" + std::to_string(getpid()) + ".txt";

bool ReachedOutside(const Workspace& workspace) {
  fs::path root = workspace.root();
  return fs::exists(root.parent_path() / kOutside) || fs::exists(root / kOutside);
}

struct NameCase {
  const char* what;
  std::string given;
  std::string clean;
};

// Every byte of a name reaches the disk as it is, never as a pattern or a
// folder, and the next run in the same folder works as well.
TEST(HostileInputTest, NamesAShellWouldTakeApartAreCleanedAndCompared) {
  const std::string long_stem(240, 'x');
  const NameCase cases[] = {
      {"shell characters and quotes", "a&b|c;d$e(f)g<h>i\"j'k.txt", "a_b_c_d_e_f_g_h_i_j_k.txt"},
      {"leading dash", "-leading.txt", "_leading.txt"},
      {"long", long_stem + ".txt", long_stem + ".txt"},
      {"not UTF-8", "\xff\xfe\x80kbad.txt", "___kbad.txt"},
      {"line end", "new\nline.txt", "new_line.txt"},
      {"after the marker", "a.txt\"&<b>;$(x)", "a.txt\"&<b>;$(x)"},
      // "file_" in front would make it 260 bytes: the stem gives way.
      {"255 bytes, page_ first", "page_" + std::string(246, 'x') + ".txt",
       "file_page_" + std::string(241, 'x') + ".txt"},
      {"backslash", "back\\slash.txt", "back_slash.txt"},
      {"question mark", "?.txt", "_.txt"},
      {"a star, as a pattern matching 0.txt too", "*.txt", "_.txt"},
      {"climbing after the marker", "c d.txt\\..\\..\\" + kOutside, "c_d.txt_.._.._" + kOutside},
      {"a line end after the marker", "e.txt\r\nf", "e.txt__f"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    Put(workspace, {{c.given, "hostile name\r\n"}, {"0.txt", "partner\r\n"}});
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    for (int run = 0; run < 2; ++run) {
      EXPECT_EQ(outcome.status, 0);
      EXPECT_NE(outcome.transcript.find(FileList({"0.txt", c.clean})), std::string::npos);
      EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
      EXPECT_EQ(workspace.Files("compare_in"),
                (FileMap{{"0.txt", "partner\r\n"}, {c.clean, "hostile name\r\n"}}));
      EXPECT_EQ(workspace.read("htm_out/compare.htm"),
                ComparePage("100%", {"partner"}, {"hostile name"}));
      outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    }
    EXPECT_FALSE(ReachedOutside(workspace));
  }
}

TEST(HostileInputTest, ContentsOfAnyBytesAreComparedAndIndexed) {
  const std::string long_word(5000, 'q');
  std::string binary;
  for (int i = 0; i < 65536; ++i) binary += static_cast<char>((i * 7919 + i / 251) % 256);
  const struct {
    const char* what;
    std::string content;
    std::vector<std::string> cell;  // compare.htm's left cell; not checked for binary bytes
  } cases[] = {
      {"NUL bytes",
       "before\0after word\r\n\0\0\0\r\nnul\0line three\r\n"s,
       {"before\0after word"s, "\0\0\0"s, "nul\0line three"s}},
      {"binary", binary, {}},
      {"CR line ends",
       "first line here\rsecond line there\rthird\r",
       {"first line here\rsecond line there\rthird"}},
      {"5,000-byte word",
       "start " + long_word + " end word\r\n",
       {"start " + long_word + " end word"}},
      {"empty", "", {}},
      {"byte order mark only", "\xef\xbb\xbf", {"\xef\xbb\xbf"}},
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
    if (c.content.find(long_word) != std::string::npos) {
      EXPECT_EQ(Count(workspace.read("htm_out/index.htm"), long_word), 1);
    }
  }
}

// Two megabytes on one line: every word is indexed, the line runs on in rows
// through consecutive parts, and no part grows far past the part size.
TEST(HostileInputTest, EveryWordOfAVeryLongLineIsIndexed) {
  Workspace workspace;
  std::string line;
  for (int i = 0; line.size() < 2 * 1024 * 1024; ++i) {
    line += "w" + std::to_string(1000000 + i) + " ";
  }
  line += "omega";
  FileMap inputs = {{"a.txt", line + "\r\n"}, {"b.txt", "partner\r\n"}};
  Put(workspace, inputs);
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
  EXPECT_EQ(workspace.Files("compare_in"), inputs);
  FileMap delivered = workspace.Files("htm_out");
  std::string index;
  size_t largest = 0;
  for (const auto& page : delivered) {
    if (page.first.rfind("index", 0) == 0) index += page.second;
    if (page.first.rfind("page_", 0) == 0) largest = std::max(largest, page.second.size());
  }
  for (const char* word : {"w1000000", "w1116000", "w1233000", "omega"}) {
    EXPECT_EQ(Count(index, std::string("<br>\r\n") + word + "\r\n"), 1) << word;
  }
  EXPECT_LT(largest, 3u << 20);
  EXPECT_EQ(delivered.at("compare.htm"), ComparePage("100%", {line}, {"partner"}));
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
