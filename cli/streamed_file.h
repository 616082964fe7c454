#pragma once

#include <fstream>
#include <string>

namespace cli {

// A file written as it goes under a temporary name in the same folder and
// renamed to its own name by Commit, so that the name never holds a file half
// written; dropped without Commit, the temporary file is removed.
class StreamedFile {
 public:
  explicit StreamedFile(std::string path);
  ~StreamedFile();
  StreamedFile(const StreamedFile&) = delete;
  StreamedFile& operator=(const StreamedFile&) = delete;

  // Empty when the temporary file could be created; otherwise why not.
  const std::string& OpenError() const { return openError_; }
  std::ostream& Stream() { return stream_; }

  // Flushes, closes and renames; returns an error line or an empty string.
  std::string Commit();

 private:
  void Discard();

  std::string path_;
  std::string temporary_;
  std::ofstream stream_;
  std::string openError_;
  bool open_ = false;
};

}  // namespace cli
