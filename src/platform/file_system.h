// Files, as the program needs them: whole-file reads and replacing writes.
// Implemented by platform/win32 and platform/fake.
#pragma once

#include <string>

namespace vornix::platform {

struct IoResult {
  bool ok = true;
  std::u16string message;  // the system's text for the failure
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Folder of the program's executable, without a trailing backslash.
  virtual std::u16string programFolder() = 0;
  // The user's own application data folder, without a trailing backslash; "" when
  // the system has none.
  virtual std::u16string appDataFolder() = 0;
  // Creates a folder whose parent exists; true when the folder exists afterwards.
  virtual bool makeFolder(const std::u16string& path) = 0;
  // True for an existing normal file (not a folder).
  virtual bool fileExists(const std::u16string& path) = 0;
  virtual IoResult readBytes(const std::u16string& path, std::string& bytes) = 0;
  // Writes `bytes` to a temporary file beside `path` and only then replaces `path`,
  // so that a failed or interrupted write leaves the old file as it was.
  virtual IoResult replaceFile(const std::u16string& path, const std::string& bytes) = 0;
  virtual IoResult appendBytes(const std::u16string& path, const std::string& bytes) = 0;
  virtual IoResult deleteFile(const std::u16string& path) = 0;
};

}  // namespace vornix::platform
