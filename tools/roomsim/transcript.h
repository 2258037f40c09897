// roomsim's transcript file: what reached which window, when, byte for byte.
#pragma once

#include <string>

namespace roomsim {

// Where RecordLine appends; empty: nowhere.
void SetTranscript(const std::string& path);
// Appends "<kind> t=<unix ms> <fields> len=<bytes> hex=<bytes in hex>".
void RecordLine(const std::string& kind, const std::string& fields, const std::string& bytes);

}  // namespace roomsim
