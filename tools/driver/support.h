// Drives Windows programs under Wine from outside: processes, roomsim and its transcript, the registry.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace driver {

// The folder of tavi.exe and roomsim.exe (test and benchmark programs live below it).
std::string ExeDir();
// The tavi.exe under test: the one beside roomsim.exe, or the one TAVI_EXE names (the Clang build's).
std::string TaviExe();
// A fresh file name in the temporary folder.
std::string TempFile(const std::string& stem);
// Seconds on a monotonic clock.
double Now();
// Polls `done` until it holds or `seconds` pass; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, double seconds);

class Process {
 public:
  Process() = default;
  // `environment` ("NAME=value", may be empty) is added to this process's own; `show`, when not
  // -1, is the show command the program is asked to start with (as a shortcut's "Run:" sets it).
  Process(const std::string& exe, const std::string& arguments, const std::string& environment = "", int show = -1);
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  ~Process();
  bool Running() const;
  bool WaitForExit(double seconds) const;
  DWORD ExitCode() const;
  DWORD Id() const { return id_; }
  void Kill();
  // Lets the process run on after this object is gone.
  void Detach();

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

struct Entry {
  std::string kind;  // post, decoy, stray, ready, hold, hang, exit
  double t = 0;      // seconds (unix time)
  std::map<std::string, std::string> fields;
  std::string bytes;
};

// The complete entries of a roomsim transcript file, in order (a last line
// still being written is left out).
std::vector<Entry> ReadTranscript(const std::string& path);

// A running roomsim with its own transcript; see `roomsim --help` for the options.
class Roomsim {
 public:
  explicit Roomsim(const std::string& arguments = "");
  ~Roomsim();
  std::vector<Entry> Entries() const;
  std::vector<Entry> Posts() const;
  // Entries that are neither posts nor bookkeeping: text that went astray.
  std::vector<Entry> Astray() const;
  bool WaitForPosts(std::size_t count, double seconds = 60) const;
  // Waits for an entry of `kind` (hold, hang, exit).
  bool WaitFor(const std::string& kind, double seconds = 60) const;
  // Lets the line held by --hold-after go on.
  void Release() const;
  Process& process() { return process_; }
  bool ready() const { return ready_; }

 private:
  std::string transcript_;
  Process process_;
  bool ready_ = false;
};

// A value under HKEY_CURRENT_USER while this lives, for the programs started
// meanwhile: Wine reads settings such as the Windows version it plays for a
// program and the screen's DPI when the program starts.
class RegistryValue {
 public:
  // The key whose value "Version" names the Windows that Wine plays for tavi.exe alone.
  static constexpr const char* kTaviVersion = "Software\\Wine\\AppDefaults\\tavi.exe";

  RegistryValue(const std::string& key, const char* name, const std::string& text);
  RegistryValue(const std::string& key, const char* name, DWORD number);
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;
  ~RegistryValue();

 private:
  HKEY key_ = nullptr;
  const char* name_;
};

}  // namespace driver
