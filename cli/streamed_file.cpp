#include "cli/streamed_file.h"

#include <filesystem>
#include <system_error>

namespace cli {
namespace {

constexpr const char* kTemporarySuffix = ".tmp-corvellan";

}  // namespace

StreamedFile::StreamedFile(std::string path)
    : path_(std::move(path)), temporary_(path_ + kTemporarySuffix) {
  stream_.open(temporary_, std::ios::binary | std::ios::trunc);
  open_ = stream_.is_open();
  if (!open_) openError_ = "cannot write " + path_;
}

StreamedFile::~StreamedFile() {
  if (open_) Discard();
}

std::string StreamedFile::Commit() {
  stream_.flush();
  const bool written = static_cast<bool>(stream_);
  stream_.close();
  if (!written || stream_.fail()) {
    Discard();
    return "cannot write " + path_;
  }
  std::error_code ec;
  std::filesystem::rename(temporary_, path_, ec);
  if (ec) {
    Discard();
    return "cannot write " + path_ + ": " + ec.message();
  }
  open_ = false;
  return {};
}

void StreamedFile::Discard() {
  stream_.close();
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
  open_ = false;
}

}  // namespace cli
