#define _CRT_RAND_S
#include <stdlib.h>
#include <windows.h>

#include <string>

#include "base/private_folder.h"

namespace quillon {

namespace {

std::wstring Wide(const std::string& text) {
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], n);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

bool Failed(DiskError* error) {
  *error = last_system_error();
  return false;
}

// Removes the folder and what it holds; a junction or a link is removed
// itself, never entered.
bool RemoveFolder(const std::wstring& path) {
  bool all = true;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring entry = path + L"\\" + name;
      DWORD attributes = found.dwFileAttributes;
      if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        all = DeleteFileW(entry.c_str()) && all;
      } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        all = RemoveDirectoryW(entry.c_str()) && all;
      } else {
        all = RemoveFolder(entry) && all;
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryW(path.c_str()) && all;
}

}  // namespace

void split_host_path(const std::string& path, std::string* folder, std::string* last) {
  size_t slash = path.find_last_of("/\\");
  bool drive_root = slash == 2 && path[1] == ':';
  *folder = slash == std::string::npos ? ""
            : slash == 0 || drive_root ? path.substr(0, slash + 1)
                                       : path.substr(0, slash);
  *last = slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string join_host_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char end = folder.back();
  return end == '/' || end == '\\' || end == ':' ? folder + name : folder + "\\" + name;
}

std::string make_private_folder(const std::string& parent, const std::string& prefix,
                                DiskError* error) {
  const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) {
      unsigned int random = 0;
      rand_s(&random);
      name += kLetters[random % (sizeof kLetters - 1)];
    }
    std::string path = join_host_path(parent.empty() ? "." : parent, name);
    if (CreateDirectoryW(Wide(path).c_str(), nullptr)) return name;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  Failed(error);
  return "";
}

bool remove_tree(const std::string& path) {
  std::wstring native = Wide(path);
  DWORD attributes = GetFileAttributesW(native.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (attributes & FILE_ATTRIBUTE_READONLY)
      SetFileAttributesW(native.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(native.c_str());
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return RemoveDirectoryW(native.c_str());
  return RemoveFolder(native);
}

bool move_folder(const std::string& from, const std::string& to, DiskError* error) {
  // Without MOVEFILE_REPLACE_EXISTING an existing target is never replaced.
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), 0) || Failed(error);
}

Exchange exchange_folders(const std::string&, const std::string&, DiskError*) {
  return Exchange::kUnsupported;
}

}  // namespace quillon
