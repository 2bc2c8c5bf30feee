// Files as whole byte strings. Replacing goes through a temporary file in the
// same folder, so the old file survives any failure up to the final rename.
// Paths of any length: long ones go to the system in the "\\?\" form.
#include "platform/win32/win32_platform.h"

#include <shlobj.h>

#include <exception>
#include <vector>

#include "platform/win32/wide.h"

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

// Below this length every call takes a path as it is; from there on some calls
// (folders: 248, files: 260 with the terminator) need the extended form.
constexpr size_t kPlainPathLimit = 240;

// `path` in a form that no length limit stops: a long absolute path gets the
// "\\?\" prefix, which also turns off the system's rewriting of "/" and "..".
std::u16string longPath(const std::u16string& path) {
  if (path.size() < kPlainPathLimit || path.rfind(u"\\\\?\\", 0) == 0) return path;
  std::u16string p = path;
  for (char16_t& c : p)
    if (c == u'/') c = u'\\';
  if (p.size() > 2 && p[1] == u':' && p[2] == u'\\') return u"\\\\?\\" + p;
  if (p.rfind(u"\\\\", 0) == 0) return u"\\\\?\\UNC\\" + p.substr(2);
  return path;
}

std::u16string hex(DWORD value) {
  std::u16string out(8, u'0');
  for (int i = 7; i >= 0; --i, value >>= 4) out[i] = u"0123456789abcdef"[value & 15];
  return out;
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

std::u16string Win32FileSystem::appDataFolder() {
  wchar_t buffer[MAX_PATH];  // the size this call is defined for
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer)))
    return fromWide(buffer);
  // Where the shell cannot say, the environment may, at any length.
  DWORD length = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (length == 0) return std::u16string();
  std::vector<wchar_t> value(length);
  length = GetEnvironmentVariableW(L"APPDATA", value.data(), static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return std::u16string();
  return fromWide(value.data(), length);
}

bool Win32FileSystem::makeFolder(const std::u16string& path) {
  const std::u16string folder = longPath(path);
  if (CreateDirectoryW(wide(folder), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(wide(folder));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::fileExists(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(wide(longPath(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

IoResult Win32FileSystem::readBytes(const std::u16string& path, std::string& bytes) {
  bytes.clear();
  File file(CreateFileW(wide(longPath(path)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
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
  const std::u16string target = longPath(path);
  // A fresh name beside the target; CREATE_NEW makes sure it is ours alone.
  std::u16string temp;
  DWORD error = ERROR_SUCCESS;
  HANDLE handle = INVALID_HANDLE_VALUE;
  const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  for (DWORD attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
    temp = longPath(path + u"." + hex(seed + attempt) + u".tmp");
    handle = CreateFileW(wide(temp), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) break;
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return failure(error);
  }
  if (handle == INVALID_HANDLE_VALUE) return failure(error);
  File file(handle);
  error = ERROR_SUCCESS;
  // From here on the temporary file exists and must be removed on failure.
  error = writeAll(file.get(), bytes);
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!file.close() && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(wide(temp), wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != ERROR_SUCCESS) {
    DeleteFileW(wide(temp));
    return failure(error);
  }
  return {};
}

IoResult Win32FileSystem::appendBytes(const std::u16string& path, const std::string& bytes) {
  File file(CreateFileW(wide(longPath(path)), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
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
  if (!DeleteFileW(wide(longPath(path)))) return failure(GetLastError());
  return {};
}

}  // namespace vornix::win32
