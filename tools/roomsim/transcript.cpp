// The transcript: one line per event, with the time and the exact bytes in hex.
#include "tools/roomsim/transcript.h"

#include <windows.h>

#include <cstdio>

namespace roomsim {

namespace {

std::string g_path;

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 15]);
  }
  return out;
}

}  // namespace

void SetTranscript(const std::string& path) { g_path = path; }

void RecordLine(const std::string& kind, const std::string& fields, const std::string& bytes) {
  if (g_path.empty()) return;
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const unsigned long long ms =
      ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 116444736000000000ULL) / 10000;
  const std::string line = kind + " t=" + std::to_string(ms) + (fields.empty() ? "" : " " + fields) +
                           " len=" + std::to_string(bytes.size()) + " hex=" + Hex(bytes) + "\n";
  if (FILE* f = std::fopen(g_path.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
  }
}

}  // namespace roomsim
