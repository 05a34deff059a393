#include "base/line_editor.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/screen.h"

namespace quillon {
namespace {

const std::string kLeft = "\xff\x4b", kHome = "\xff\x47", kEnd = "\xff\x4f", kDelete = "\xff\x53";
const char kPrompt[] = "p? ";

// Keys as a terminal gives them: one byte a key, except the cursor keys.
std::vector<std::string> Keys(const std::vector<std::string>& parts) {
  std::vector<std::string> keys;
  for (const std::string& part : parts) {
    if (static_cast<unsigned char>(part[0]) == 0xff) {
      keys.push_back(part);
    } else {
      for (char c : part) keys.push_back(std::string(1, c));
    }
  }
  return keys;
}

// Types the keys after the prompt and shows the editor's output on a screen.
struct Typed {
  Typed(const std::vector<std::string>& parts, int width, Output output = Output::kSmartTerminal)
      : editor(output, display_width(kPrompt), width), screen(width) {
    screen.Feed(kPrompt);
    for (const std::string& key : Keys(parts)) {
      editor.take(key);
      std::string shown = editor.show();
      written += shown;
      screen.Feed(shown);
    }
  }
  LineEditor editor;
  Screen screen;
  std::string written;
};

std::string Join(const std::vector<std::string>& letters, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) text += letters[i];
  return text;
}

// Insert, Backspace and Delete before every letter of a text of one- and
// two-byte letters, a wide one and one with a combining mark: the answer and
// the screen agree, and the cursor stands where the person expects it.
TEST(LineEditorTest, EditsWholeLettersAtEveryPosition) {
  const std::vector<std::string> letters = {"a", "\xC3\xA9", "\xE4\xB8\xAD", "e\xCC\x81", "b"};
  const std::string all = Join(letters, 0, letters.size());
  for (size_t k = 0; k <= letters.size(); ++k) {
    SCOPED_TRACE(k);
    std::string before = Join(letters, 0, k), after = Join(letters, k, letters.size());
    std::vector<std::string> to_k = {all};
    for (size_t i = k; i < letters.size(); ++i) to_k.push_back(kLeft);

    std::vector<std::string> insert = to_k;
    insert.push_back("X");
    Typed inserted(insert, 40);
    EXPECT_EQ(inserted.editor.text(), before + "X" + after);
    EXPECT_EQ(inserted.screen.Row(0), kPrompt + before + "X" + after);
    EXPECT_EQ(inserted.screen.column(), 3 + display_width(before) + 1);

    if (k > 0) {
      // Backspace takes back one code point: the mark alone after "e".
      std::vector<std::string> rub = to_k;
      rub.push_back("\x7f");
      Typed rubbed(rub, 40);
      std::string shortened = k == 4 ? Join(letters, 0, 3) + "e" : Join(letters, 0, k - 1);
      EXPECT_EQ(rubbed.editor.text(), shortened + after);
      EXPECT_EQ(rubbed.screen.Row(0), kPrompt + shortened + after);
    }
    if (k < letters.size()) {
      std::vector<std::string> erase = to_k;
      erase.push_back(kDelete);
      Typed erased(erase, 40);
      EXPECT_EQ(erased.editor.text(), before + Join(letters, k + 1, letters.size()));
      EXPECT_EQ(erased.screen.Row(0), kPrompt + erased.editor.text());
    }
  }
}

// Over several rows of a narrow terminal, with wide letters that do not fit
// at a row's end and a row filled to its last column: nothing is left over.
TEST(LineEditorTest, LinesLongerThanTheTerminalAreDrawnAgainWithoutLeftovers) {
  std::string wide;
  for (int i = 0; i < 10; ++i) wide += "\xE4\xB8\xAD";
  Typed shortened({wide, kHome, kDelete, kDelete, kDelete}, 10);
  EXPECT_EQ(shortened.screen.Row(0), "p? \xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD");
  EXPECT_EQ(shortened.screen.Row(1), "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD");
  EXPECT_EQ(shortened.screen.Row(2), "");
  EXPECT_EQ(shortened.screen.row(), 0);
  EXPECT_EQ(shortened.screen.column(), 3);

  Typed full({std::string(25, 'x'), kHome, "ab", kEnd}, 10);
  EXPECT_EQ(full.screen.Row(0), "p? abxxxxx");
  EXPECT_EQ(full.screen.Row(1), "xxxxxxxxxx");
  EXPECT_EQ(full.screen.Row(2), "xxxxxxxxxx");
  EXPECT_EQ(full.screen.Row(3), "");
  EXPECT_EQ(full.screen.row(), 3);
  EXPECT_EQ(full.screen.column(), 0);
}

TEST(LineEditorTest, WordAndLineKeys) {
  const struct {
    std::vector<std::string> keys;
    std::string text;
  } cases[] = {
      {{"one two  ", "\x17"}, "one "},                // Ctrl-W: blanks, then the word
      {{"one two", "\x01", "\x0b"}, ""},              // Ctrl-A, Ctrl-K
      {{"one two", kLeft, kLeft, "\x15"}, "wo"},      // Ctrl-U
      {{"ab", "\x01", "x", "\x05", "y"}, "xaby"},     // Ctrl-A, Ctrl-E
      {{"\xC3\xA9", "\t", "x"}, "\xC3\xA9       x"},  // Tab to column 8 of a two-byte letter
      // A character's bytes with another key between: each kept as a byte.
      {{"\xC3", kLeft, "\xA9"}, "\xA9\xC3"},
  };
  for (const auto& c : cases) {
    Typed typed(c.keys, 40);
    EXPECT_EQ(typed.editor.text(), c.text) << testing::PrintToString(c.keys);
  }
}

// Keys from a terminal while the output goes to a file: edited, never shown
// (the console writes the answer once it is done). Plain terminals are the
// end-to-end tests' to check.
TEST(LineEditorTest, OutputToAFileShowsNothingWhileEditing) {
  Typed unseen({"ab", "\x7f", kDelete}, 80, Output::kFile);
  EXPECT_EQ(unseen.written, "");
  EXPECT_EQ(unseen.editor.text(), "a");
}

}  // namespace
}  // namespace quillon
