// The disk on Windows. The program's names are UTF-8 bytes; the file system
// takes them as wide names, so every name crosses over here and nowhere else.

#include <windows.h>

#include <string>

#include "base/disk.h"

namespace quillon {

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], n);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int size = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], n, nullptr, nullptr);
  return text;
}

uint64_t Combine(DWORD high, DWORD low) {
  return (static_cast<uint64_t>(high) << 32) | low;
}

// File times count 100 ns steps from 1601.
int64_t EpochSeconds(const FILETIME& time) {
  const int64_t kStepsFrom1601To1970 = 116444736000000000LL;
  int64_t steps = static_cast<int64_t>(Combine(time.dwHighDateTime, time.dwLowDateTime));
  return (steps - kStepsFrom1601To1970) / 10000000;
}

void fill(DWORD attributes, DWORD size_high, DWORD size_low, const FILETIME& written,
          DirEntry* entry) {
  entry->is_dir = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry->is_link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry->is_other = (attributes & FILE_ATTRIBUTE_DEVICE) != 0;
  entry->size = entry->is_dir ? 0 : Combine(size_high, size_low);
  entry->mtime = EpochSeconds(written);
}

DiskError FromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return DiskError::kNotFound;
    case ERROR_WRITE_PROTECT:
      return DiskError::kReadOnly;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return DiskError::kDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return DiskError::kFull;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return DiskError::kExists;
    case ERROR_FILENAME_EXCED_RANGE:
      return DiskError::kTooLong;
    default:
      return DiskError::kIo;
  }
}

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class WindowsInput : public InputFile {
 private:
  DiskError error_ = DiskError::kIo;

 public:
  explicit WindowsInput(HANDLE handle) : handle_(handle) {}
  ~WindowsInput() override { CloseHandle(handle_); }

  long read(char* buffer, size_t n) override {
    DWORD wanted = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n);
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, wanted, &got, nullptr)) {
      error_ = FromLastError();
      return -1;
    }
    return static_cast<long>(got);
  }

  DiskError error() const override { return error_; }

  bool rewind() override {
    LARGE_INTEGER start = {};
    return SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN) != 0;
  }

 private:
  HANDLE handle_;
};

class WindowsOutput : public OutputFile {
 private:
  DiskError error_ = DiskError::kIo;

 public:
  explicit WindowsOutput(HANDLE handle) : handle_(handle) {}
  ~WindowsOutput() override { close(); }

  bool write(const char* data, size_t n) override {
    while (n > 0) {
      DWORD chunk = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n);
      DWORD put = 0;
      if (!WriteFile(handle_, data, chunk, &put, nullptr) || put == 0) {
        error_ = FromLastError();
        return false;
      }
      data += put;
      n -= put;
    }
    return true;
  }

  bool close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (CloseHandle(handle)) return true;
    error_ = FromLastError();
    return false;
  }

  DiskError error() const override { return error_; }

 private:
  HANDLE handle_;
};

class WindowsDisk : public Disk {
 public:
  explicit WindowsDisk(const std::string& root) : root_(root.empty() ? "." : root) {}
  ~WindowsDisk() override {
    if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
  }

  bool stat(const std::string& path, DirEntry* entry) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Native(path).c_str(), GetFileExInfoStandard, &data)) {
      return Fail(FromLastError());
    }
    entry->name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    fill(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime, entry);
    return true;
  }

  bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) override {
    entries->clear();
    std::wstring native = Native(dir);
    DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return Fail(DiskError::kNotFound);
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((native + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;  // a drive's empty root
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      DirEntry entry;
      entry.name = Narrow(name);
      fill(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime,
           &entry);
      entries->push_back(entry);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
  }

  // The file system ignores case itself: the one entry of that name, in
  // whatever case it is spelled, without reading the folder.
  bool find_folded(const std::string& dir, const std::string& name,
                   std::vector<std::string>* names) override {
    names->clear();
    DWORD attributes = GetFileAttributesW(Native(dir).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return Fail(DiskError::kNotFound);
    }
    if (name.find_first_of("*?") != std::string::npos) return true;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Native(join_path(dir, name)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    names->push_back(Narrow(found.cFileName));
    FindClose(search);
    return true;
  }

  std::unique_ptr<InputFile> open_read(const std::string& path) override {
    if (!FolderReachable(path)) return nullptr;
    HANDLE handle = CreateFileW(Native(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Refuse<InputFile>(FromLastError());
    if (GetFileType(handle) != FILE_TYPE_DISK) {
      CloseHandle(handle);
      return Refuse<InputFile>(DiskError::kNotRegular);
    }
    return std::make_unique<WindowsInput>(handle);
  }

  std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) override {
    if (!FolderReachable(path)) return nullptr;
    DWORD attributes = GetFileAttributesW(Native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotPlain)) {
      return Refuse<OutputFile>(DiskError::kNotRegular);
    }
    // Opened without emptying it, so that a file with other names is left
    // as it is; emptied once it is known to be a plain file of its own.
    DWORD access = append ? FILE_APPEND_DATA | SYNCHRONIZE : GENERIC_WRITE;
    HANDLE handle = CreateFileW(Native(path).c_str(), access, kShareAll, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Refuse<OutputFile>(FromLastError());
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & kNotPlain) || info.nNumberOfLinks > 1) {
      CloseHandle(handle);
      return Refuse<OutputFile>(DiskError::kNotRegular);
    }
    if (!append && !SetEndOfFile(handle)) {
      DiskError error = FromLastError();
      CloseHandle(handle);
      return Refuse<OutputFile>(error);
    }
    return std::make_unique<WindowsOutput>(handle);
  }

  std::unique_ptr<OutputFile> create_new(const std::string& path) override {
    if (!FolderReachable(path)) return nullptr;
    HANDLE handle = CreateFileW(Native(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Refuse<OutputFile>(FromLastError());
    return std::make_unique<WindowsOutput>(handle);
  }

  bool make_dir(const std::string& path) override {
    if (!FolderReachable(path)) return false;
    if (CreateDirectoryW(Native(path).c_str(), nullptr)) return true;
    return Fail(FromLastError());
  }

  bool remove_file(const std::string& path) override {
    if (!FolderReachable(path)) return false;
    DWORD attributes = GetFileAttributesW(Native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return Fail(DiskError::kNotRegular);
    }
    // A link is removed itself, never what it points to.
    if (DeleteFileW(Native(path).c_str())) return true;
    return Fail(FromLastError());
  }

  bool remove_dir(const std::string& path) override {
    if (!FolderReachable(path)) return false;
    DWORD attributes = GetFileAttributesW(Native(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      return Fail(DiskError::kLink);
    }
    if (RemoveDirectoryW(Native(path).c_str())) return true;
    return Fail(FromLastError());
  }

  // Without the replacing flag the move fails when the name is taken.
  bool rename_new(const std::string& from, const std::string& to) override {
    if (!FolderReachable(from) || !FolderReachable(to)) return false;
    if (MoveFileExW(Native(from).c_str(), Native(to).c_str(), 0)) return true;
    return Fail(FromLastError());
  }

  bool rename(const std::string& from, const std::string& to) override {
    if (!FolderReachable(from) || !FolderReachable(to)) return false;
    DWORD attributes = GetFileAttributesW(Native(to).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return Fail(DiskError::kNotRegular);
    }
    if (MoveFileExW(Native(from).c_str(), Native(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
      return true;
    }
    return Fail(FromLastError());
  }

  std::string absolute_path(const std::string& path) override {
    std::wstring native = Native(path);
    DWORD size = GetFullPathNameW(native.c_str(), 0, nullptr, nullptr);
    if (size == 0) return Narrow(native);
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(native.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return Narrow(native);
    full.resize(length);
    return Narrow(full);
  }

  uint64_t free_bytes() override {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(Native("").c_str(), &available, nullptr, nullptr)) return 0;
    return available.QuadPart;
  }

  // The platform's folders take a name in any letter case as the same name,
  // whatever the disk below could tell apart.
  bool tells_case_apart() override { return false; }

  // The root opened for adding files without sharing that right: a second
  // run asks for the same right and is refused, while every other program
  // may still look into the folder. The handle closes when the process ends.
  bool lock_root() override {
    HANDLE handle =
        CreateFileW(Native("").c_str(), FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Fail(FromLastError());
    lock_ = handle;
    return true;
  }

 private:
  // The root and the path joined with the platform's own separator.
  std::wstring Native(const std::string& path) const {
    std::string joined = path.empty() ? root_ : root_ + "\\" + path;
    for (char& c : joined) {
      if (c == '/') c = '\\';
    }
    return Wide(joined);
  }

  static const DWORD kNotPlain =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

  // False, with the reason noted, when a folder on the way to `path` is a
  // link (a junction or a symbolic link) or missing.
  bool FolderReachable(const std::string& path) {
    size_t slash = path.find('/');
    while (slash != std::string::npos) {
      DWORD attributes = GetFileAttributesW(Native(path.substr(0, slash)).c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES) return Fail(DiskError::kNotFound);
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return Fail(DiskError::kNotRegular);
      }
      slash = path.find('/', slash + 1);
    }
    return true;
  }

  template <typename File>
  std::unique_ptr<File> Refuse(DiskError error) {
    Fail(error);
    return nullptr;
  }

  std::string root_;
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};

}  // namespace

DiskError last_system_error() {
  return FromLastError();
}

std::unique_ptr<Disk> make_real_disk(const std::string& root) {
  return std::make_unique<WindowsDisk>(root);
}

}  // namespace quillon
