#include "cli/error_line.h"

#include <cstdio>

namespace cli {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7f;

void WriteEscaped(std::ostream& out, char c) {
  switch (c) {
    case '\n':
      out << "\\n";
      return;
    case '\r':
      out << "\\r";
      return;
    case '\t':
      out << "\\t";
      return;
    default:
      break;
  }
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02x", static_cast<unsigned char>(c));
  out << text;
}

}  // namespace

void WriteErrorLine(std::ostream& err, std::string_view message) {
  err << kProgramName << ": ";
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < kFirstPrintable || byte == kDelete) {
      WriteEscaped(err, c);
    } else {
      err << c;
    }
  }
  err << '\n';
}

}  // namespace cli
