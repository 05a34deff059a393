#include "shell/command_line.h"

namespace quillon {

namespace {

enum class TokenKind { kWord, kOutput, kAppend, kPipe };

struct Token {
  TokenKind kind = TokenKind::kWord;
  Word word;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::vector<Token> Tokenize(const std::string& line) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    Token token;
    if (line[i] == '>') {
      bool append = i + 1 < line.size() && line[i + 1] == '>';
      token.kind = append ? TokenKind::kAppend : TokenKind::kOutput;
      i += append ? 2 : 1;
      tokens.push_back(token);
      continue;
    }
    if (line[i] == '|') {
      token.kind = TokenKind::kPipe;
      ++i;
      tokens.push_back(token);
      continue;
    }
    bool in_quotes = false;
    while (i < line.size()) {
      char c = line[i];
      if (in_quotes) {
        if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          token.word.text += '"';
          i += 2;
        } else if (c == '"') {
          in_quotes = false;
          ++i;
        } else {
          token.word.text += c;
          ++i;
        }
        continue;
      }
      if (IsBlank(c) || c == '>' || c == '|') break;
      if (c == '"') {
        in_quotes = true;
        token.word.quoted = true;
      } else {
        token.word.text += c;
      }
      ++i;
    }
    tokens.push_back(token);
  }
  return tokens;
}

}  // namespace

CommandLine ParseCommandLine(const std::string& line) {
  CommandLine result;
  result.stages.emplace_back();
  std::vector<Token> tokens = Tokenize(line);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    SimpleCommand& command = result.stages.back();
    switch (token.kind) {
      case TokenKind::kWord:
        command.words.push_back(token.word);
        break;
      case TokenKind::kPipe:
        result.stages.emplace_back();
        break;
      case TokenKind::kOutput:
      case TokenKind::kAppend:
        if (i + 1 >= tokens.size() || tokens[i + 1].kind != TokenKind::kWord) {
          result.ok = false;
          return result;
        }
        command.redirections.push_back({tokens[i + 1].word.text, token.kind == TokenKind::kAppend});
        ++i;
        break;
    }
  }
  return result;
}

std::string QuoteArgument(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

bool IsSwitch(const Word& word, char name) {
  if (word.quoted || word.text.size() != 2 || word.text[0] != '/') return false;
  char c = word.text[1];
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return c == name;
}

}  // namespace quillon
