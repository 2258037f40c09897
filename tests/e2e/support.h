// Helpers for end-to-end tests under Wine: processes, roomsim and its transcript.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// The folder of the running test program, where tavi.exe and roomsim.exe are.
std::string ExeDir();
// A fresh file name in the temporary folder.
std::string TempFile(const std::string& stem);
// Seconds on a monotonic clock.
double Now();
// Polls `done` until it holds or `seconds` pass; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, double seconds);

class Process {
 public:
  Process() = default;
  Process(const std::string& exe, const std::string& arguments);
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
  std::string kind;  // post, decoy, stray, ready, exit
  double t = 0;      // seconds (unix time)
  std::map<std::string, std::string> fields;
  std::string bytes;
};

// The entries of a roomsim transcript file, in order.
std::vector<Entry> ReadTranscript(const std::string& path);

// A running roomsim with its own transcript.
class Roomsim {
 public:
  explicit Roomsim(const std::string& arguments = "");
  ~Roomsim();
  std::vector<Entry> Entries() const;
  std::vector<Entry> Posts() const;
  // Entries that are neither posts nor bookkeeping: text that went astray.
  std::vector<Entry> Astray() const;
  bool WaitForPosts(std::size_t count, double seconds) const;
  Process& process() { return process_; }
  bool ready() const { return ready_; }

 private:
  std::string transcript_;
  Process process_;
  bool ready_ = false;
};

// A visible top-level window of process `pid` (0: any process) whose caption
// is `caption` (nullptr: any caption); nullptr if there is none.
HWND FindTopWindow(DWORD pid, const wchar_t* caption);

// Top-level and child windows of a class, in the window manager's order.
std::vector<HWND> Children(HWND parent, const char* cls);
std::string Text(HWND window);

}  // namespace e2e
