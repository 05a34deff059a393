// The console on a Windows console window, or on scripted standard input.
// Keys come from the console's input records, never echoed; output goes out
// as bytes (UTF-8) with the editor's escape sequences understood. The window
// gets its own modes back on every way out, Ctrl-C and closing included.

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <deque>
#include <string>

#include "base/console.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace quillon {

namespace {

// What the window had before the program changed it; read by the control
// handler, which runs on a thread of its own.
struct SavedWindow {
  bool changed = false;
  DWORD output_mode = 0;
  UINT output_code_page = 0;
  UINT input_code_page = 0;
};
SavedWindow g_saved;

void RestoreWindow() {
  if (!g_saved.changed) return;
  g_saved.changed = false;
  SetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), g_saved.output_mode);
  SetConsoleOutputCP(g_saved.output_code_page);
  SetConsoleCP(g_saved.input_code_page);
}

// Ctrl-C, Ctrl-Break, closing the window: restore, then let the default
// handler end the process.
BOOL WINAPI RestoreOnInterrupt(DWORD) {
  RestoreWindow();
  return FALSE;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// UTF-8 output and escape sequences on the window the program writes to; a
// window that cannot take escape sequences gets plain output, whatever TERM
// says.
Output PrepareWindow(HANDLE output) {
  if (!IsConsole(output)) return Output::kFile;
  GetConsoleMode(output, &g_saved.output_mode);
  g_saved.output_code_page = GetConsoleOutputCP();
  g_saved.input_code_page = GetConsoleCP();
  g_saved.changed = true;
  static bool registered = false;
  if (!registered) {
    registered = true;
    atexit(RestoreWindow);
    SetConsoleCtrlHandler(RestoreOnInterrupt, TRUE);
  }
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  DWORD mode = g_saved.output_mode | ENABLE_PROCESSED_OUTPUT;
  if (SetConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
    return Output::kSmartTerminal;
  }
  SetConsoleMode(output, mode);
  return Output::kPlainTerminal;
}

bool WriteAll(HANDLE handle, const char* data, size_t n) {
  while (n > 0) {
    DWORD chunk = n > 65536 ? 65536 : static_cast<DWORD>(n);
    DWORD put = 0;
    if (!WriteFile(handle, data, chunk, &put, nullptr) || put == 0) return false;
    data += put;
    n -= put;
  }
  return true;
}

std::string ExtendedKey(int code) {
  return std::string(1, static_cast<char>(255)) + static_cast<char>(code);
}

// The keys without a character that the program knows, by virtual key code.
struct VirtualKey {
  WORD virtual_key;
  int code;
};

const VirtualKey kVirtualKeys[] = {
    {VK_UP, scan::kUp},
    {VK_DOWN, scan::kDown},
    {VK_LEFT, scan::kLeft},
    {VK_RIGHT, scan::kRight},
    {VK_HOME, scan::kHome},
    {VK_END, scan::kEnd},
    {VK_INSERT, scan::kInsert},
    {VK_DELETE, scan::kDelete},
    {VK_PRIOR, scan::kPageUp},
    {VK_NEXT, scan::kPageDown},
    {VK_F11, 133},
    {VK_F12, 134},
};

// Keys that stand for a character but may come without it (Escape under
// wine, for one).
struct CharacterKey {
  WORD virtual_key;
  char character;
};

const CharacterKey kCharacterKeys[] = {
    {VK_ESCAPE, '\x1b'},
    {VK_BACK, '\b'},
    {VK_TAB, '\t'},
    {VK_RETURN, '\r'},
};

// The character of a key that came without one: the key's own, or Ctrl and
// a letter; 0 for none.
char CharacterOf(const KEY_EVENT_RECORD& event) {
  for (const CharacterKey& key : kCharacterKeys) {
    if (key.virtual_key == event.wVirtualKeyCode) return key.character;
  }
  bool control = (event.dwControlKeyState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
  WORD letter = event.wVirtualKeyCode;
  if (control && letter >= 'A' && letter <= 'Z') return static_cast<char>(letter - 'A' + 1);
  return 0;
}

// The PC scan code of a key without a character; 0 for keys the program
// does not know (Shift, Ctrl and the like).
int ScanCode(WORD virtual_key) {
  if (virtual_key >= VK_F1 && virtual_key <= VK_F10) return 59 + (virtual_key - VK_F1);
  for (const VirtualKey& key : kVirtualKeys) {
    if (key.virtual_key == virtual_key) return key.code;
  }
  return 0;
}

class WindowsConsole : public ConsoleDevice {
 public:
  WindowsConsole()
      : input_(GetStdHandle(STD_INPUT_HANDLE)),
        output_(GetStdHandle(STD_OUTPUT_HANDLE)),
        error_(GetStdHandle(STD_ERROR_HANDLE)),
        scripted_(!IsConsole(input_)) {
    // Bytes exactly as given: no CR inserted before LF, none taken away.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    kind_ = PrepareWindow(output_);
  }
  ~WindowsConsole() override { RestoreWindow(); }

  void write_out(const char* data, size_t n) override {
    if (!WriteAll(output_, data, n)) output_lost_ = true;
  }
  bool output_lost() override { return output_lost_; }
  void write_err(const char* data, size_t n) override { WriteAll(error_, data, n); }
  bool scripted() override { return scripted_; }
  Output output() override { return kind_; }

  KeyStatus next_key(int timeout_ms, std::string* key) override {
    return scripted_ ? ScriptedKey(key) : WindowKey(timeout_ms, key);
  }

  int width() override {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(output_, &info) && info.dwSize.X > 0) return info.dwSize.X;
    return 80;
  }

 private:
  KeyStatus ScriptedKey(std::string* key) {
    if (start_ == end_) {
      if (at_end_) return KeyStatus::kEnd;
      DWORD got = 0;
      if (!ReadFile(input_, buffer_, sizeof buffer_, &got, nullptr) || got == 0) {
        at_end_ = true;
        return KeyStatus::kEnd;
      }
      start_ = 0;
      end_ = got;
    }
    *key = std::string(1, buffer_[start_++]);
    return KeyStatus::kKey;
  }

  // Keys typed ahead wait in the console's input buffer, which the program
  // never flushes.
  KeyStatus WindowKey(int timeout_ms, std::string* key) {
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms < 0 ? 0 : timeout_ms);
    for (;;) {
      if (!keys_.empty()) {
        *key = keys_.front();
        keys_.pop_front();
        return KeyStatus::kKey;
      }
      ULONGLONG now = GetTickCount64();
      DWORD wait = timeout_ms < 0    ? INFINITE
                   : now >= deadline ? 0
                                     : static_cast<DWORD>(deadline - now);
      DWORD ready = WaitForSingleObject(input_, wait);
      if (ready == WAIT_TIMEOUT) return KeyStatus::kNone;
      if (ready != WAIT_OBJECT_0 || !ReadRecords()) return KeyStatus::kEnd;
    }
  }

  // Turns the waiting input records into keys; false when the console is gone.
  bool ReadRecords() {
    DWORD waiting = 0;
    if (!GetNumberOfConsoleInputEvents(input_, &waiting)) return false;
    if (waiting == 0) return true;
    INPUT_RECORD records[64];
    DWORD got = 0;
    if (!ReadConsoleInputW(input_, records, waiting < 64 ? waiting : 64, &got)) return false;
    for (DWORD i = 0; i < got; ++i) {
      if (records[i].EventType == KEY_EVENT) TakeKey(records[i].Event.KeyEvent);
    }
    return true;
  }

  void TakeKey(const KEY_EVENT_RECORD& event) {
    wchar_t character = event.uChar.UnicodeChar;
    // A character entered with Alt and the number pad arrives as Alt goes up.
    bool alt_entry = !event.bKeyDown && event.wVirtualKeyCode == VK_MENU && character != 0;
    if (!event.bKeyDown && !alt_entry) return;
    for (WORD i = 0; i < (event.wRepeatCount > 0 ? event.wRepeatCount : 1); ++i) {
      if (character != 0) {
        TakeCharacter(character);
      } else if (char own = CharacterOf(event)) {
        keys_.push_back(std::string(1, own));
      } else if (int code = ScanCode(event.wVirtualKeyCode)) {
        keys_.push_back(ExtendedKey(code));
      }
    }
  }

  // One key per UTF-8 byte, as scripted input gives them.
  void TakeCharacter(wchar_t character) {
    wchar_t pair[2] = {character, 0};
    int length = 1;
    if (character >= 0xD800 && character <= 0xDBFF) {
      high_surrogate_ = character;
      return;
    }
    if (character >= 0xDC00 && character <= 0xDFFF && high_surrogate_ != 0) {
      pair[0] = high_surrogate_;
      pair[1] = character;
      length = 2;
    }
    high_surrogate_ = 0;
    char bytes[8];
    int n = WideCharToMultiByte(CP_UTF8, 0, pair, length, bytes, sizeof bytes, nullptr, nullptr);
    for (int i = 0; i < n; ++i) keys_.push_back(std::string(1, bytes[i]));
  }

  HANDLE input_;
  HANDLE output_;
  HANDLE error_;
  bool output_lost_ = false;
  bool scripted_;
  Output kind_ = Output::kFile;
  std::deque<std::string> keys_;
  wchar_t high_surrogate_ = 0;
  char buffer_[4096];
  DWORD start_ = 0;
  DWORD end_ = 0;
  bool at_end_ = false;
};

}  // namespace

std::unique_ptr<ConsoleDevice> make_standard_console() {
  return std::make_unique<WindowsConsole>();
}

}  // namespace quillon
