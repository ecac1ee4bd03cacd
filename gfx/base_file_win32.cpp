// Files by name on Windows. The name rules already keep a name inside the
// base directory and off the devices; here no folder or file below the base
// directory may be a reparse point (a symbolic link or a junction), and only
// a plain disk file is read.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstring>

#include "gfx/base_directory.h"

namespace {
constexpr DWORD kRefusedFileAttributes = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Every folder the name passes through below the base directory is a real
// one. path is the base directory joined with the name's nameLength bytes.
bool foldersAreReal(char* path, size_t nameLength) {
  for (size_t i = std::strlen(path) - nameLength; path[i] != '\0'; ++i) {
    if (!isSeparator(path[i])) continue;
    const char separator = path[i];
    path[i] = '\0';
    const DWORD attributes = GetFileAttributesA(path);
    path[i] = separator;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kRefusedFileAttributes) != FILE_ATTRIBUTE_DIRECTORY)
      return false;
  }
  return true;
}
}  // namespace

std::FILE* openBaseFile(const char* name) {
  char path[kBaseFilePathSize];
  if (!baseFilePath(name, path, sizeof path) || !foldersAreReal(path, std::strlen(name))) return nullptr;
  // The reparse point itself is opened, not what it points to; a folder
  // cannot be opened this way at all.
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &information) ||
      (information.dwFileAttributes & kRefusedFileAttributes) != 0) {
    CloseHandle(handle);
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "rb");
  if (file == nullptr) _close(fd);  // closes the handle with it
  return file;
}
