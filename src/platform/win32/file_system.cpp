// Files as whole byte strings. Replacing goes through a temporary file in the
// same folder, so the old file survives any failure up to the final rename.
#include <exception>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace vornix::win32 {

using platform::IoResult;

namespace {

// Large writes and reads go in pieces: a DWORD cannot count all of a 64-bit size.
constexpr DWORD kChunk = 1 << 20;
// Longest path GetModuleFileNameW can give.
constexpr DWORD kMaxPath = 32768;

class File {
 public:
  explicit File(HANDLE handle) : handle_(handle) {}
  ~File() { close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    if (!isOpen()) return true;
    bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

IoResult failure(DWORD error) { return {false, systemMessage(error)}; }

DWORD writeAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD piece = bytes.size() - done < kChunk ? static_cast<DWORD>(bytes.size() - done) : kChunk;
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return ERROR_SUCCESS;
}

// The folder part of `path`, or "." when it has none.
std::u16string folderOf(const std::u16string& path) {
  size_t slash = path.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return u".";
  if (slash == 0 || (slash == 2 && path[1] == u':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

}  // namespace

std::u16string Win32FileSystem::programFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return u".";
    // A full buffer means the name was cut off (and, on XP, left without a terminator).
    if (length < buffer.size()) {
      std::u16string path = fromWide(buffer.data(), length);
      size_t slash = path.find_last_of(u"\\/");
      return slash == std::u16string::npos ? u"." : path.substr(0, slash);
    }
    if (buffer.size() >= kMaxPath) return u".";
    buffer.resize(buffer.size() * 2);
  }
}

bool Win32FileSystem::fileExists(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

IoResult Win32FileSystem::readBytes(const std::u16string& path, std::string& bytes) {
  bytes.clear();
  File file(CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.isOpen()) return failure(GetLastError());
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return failure(GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) >= bytes.max_size()) return failure(ERROR_NOT_ENOUGH_MEMORY);
  try {
    bytes.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::exception&) {
    bytes.clear();
    return failure(ERROR_NOT_ENOUGH_MEMORY);
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD piece = bytes.size() - done < kChunk ? static_cast<DWORD>(bytes.size() - done) : kChunk;
    DWORD read = 0;
    if (!ReadFile(file.get(), &bytes[done], piece, &read, nullptr)) {
      DWORD error = GetLastError();
      bytes.clear();
      return failure(error);
    }
    if (read == 0) break;  // the file shrank since its size was taken
    done += read;
  }
  bytes.resize(done);
  return {};
}

IoResult Win32FileSystem::replaceFile(const std::u16string& path, const std::string& bytes) {
  wchar_t temp[MAX_PATH];
  // Creates the temporary file, so from here on it must be removed on failure.
  if (!GetTempFileNameW(wide(folderOf(path)), L"vnx", 0, temp)) return failure(GetLastError());
  DWORD error = ERROR_SUCCESS;
  {
    File file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen()) error = GetLastError();
    if (error == ERROR_SUCCESS) error = writeAll(file.get(), bytes);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
    if (!file.close() && error == ERROR_SUCCESS) error = GetLastError();
  }
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(temp, wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temp);
    return failure(error);
  }
  return {};
}

IoResult Win32FileSystem::appendBytes(const std::u16string& path, const std::string& bytes) {
  File file(CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr));
  if (!file.isOpen()) return failure(GetLastError());
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(file.get(), zero, nullptr, FILE_END)) return failure(GetLastError());
  DWORD error = writeAll(file.get(), bytes);
  if (error == ERROR_SUCCESS && !file.close()) error = GetLastError();
  if (error != ERROR_SUCCESS) return failure(error);
  return {};
}

IoResult Win32FileSystem::deleteFile(const std::u16string& path) {
  if (!DeleteFileW(wide(path))) return failure(GetLastError());
  return {};
}

}  // namespace vornix::win32
