// Reading tavi's posts from roomsim's transcript: which variant of the roster a line is.
#pragma once

#include <string>
#include <vector>

#include "tools/driver/support.h"

namespace e2e {

// The roster position a posted line's look gives away; both colour runs give 5.
inline int VariantOf(const std::string& line) {
  auto endsWith = [&](const char* tail) { return line.size() >= 2 && line.compare(line.size() - 2, 2, tail) == 0; };
  if (line.rfind("<FONT COLOR=", 0) == 0) return 5;
  if (line.rfind("<sup>", 0) == 0) return 7;
  if (endsWith("\x95\x95")) return 1;
  if (endsWith("--")) return 3;
  if (endsWith("..")) return 4;
  return 2;
}

inline std::vector<int> Variants(const std::vector<driver::Entry>& posts) {
  std::vector<int> kinds;
  for (const driver::Entry& e : posts) kinds.push_back(VariantOf(e.bytes));
  return kinds;
}

// The variants of one whole run, in roster order.
inline const std::vector<int> kOneRun = {1, 2, 3, 4, 5, 5, 7};

}  // namespace e2e
