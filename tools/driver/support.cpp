// Processes, polling, roomsim, registry values and the screen, for tests, demo and benchmarks.
#include "tools/driver/support.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace driver {

std::string ExeDir() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  dir = dir.substr(0, dir.find_last_of("\\/"));
  // Test and benchmark programs live in folders below the programs'.
  for (const std::string suffix : {"\\tests\\e2e", "\\bench"}) {
    if (dir.size() > suffix.size() && dir.compare(dir.size() - suffix.size(), suffix.size(), suffix) == 0)
      dir.resize(dir.size() - suffix.size());
  }
  return dir;
}

std::string TaviExe() {
  char named[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("TAVI_EXE", named, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(named, n) : ExeDir() + "\\tavi.exe";
}

std::string TempFile(const std::string& stem) {
  static int counter = 0;
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "tavi-" + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++counter) + ".txt";
  DeleteFileA(path.c_str());
  return path;
}

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

bool WaitUntil(const std::function<bool()>& done, double seconds) {
  const double end = Now() + seconds;
  for (;;) {
    if (done()) return true;
    if (Now() > end) return false;
    Sleep(20);
  }
}

Process::Process(const std::string& exe, const std::string& arguments, const std::string& environment, int show) {
  std::string command = "\"" + exe + "\" " + arguments;
  // The child inherits the environment as it is at its start.
  const std::string name = environment.substr(0, environment.find('='));
  if (!environment.empty()) SetEnvironmentVariableA(name.c_str(), environment.c_str() + name.size() + 1);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (show >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
  }
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    handle_ = pi.hProcess;
    id_ = pi.dwProcessId;
  }
  if (!environment.empty()) SetEnvironmentVariableA(name.c_str(), nullptr);
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) { other.handle_ = nullptr; }

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    handle_ = other.handle_;
    id_ = other.id_;
    other.handle_ = nullptr;
  }
  return *this;
}

Process::~Process() { Kill(); }

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(double seconds) const {
  return !handle_ || WaitForSingleObject(handle_, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (handle_) GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() {
  if (!handle_) return;
  if (Running()) {
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
  }
  CloseHandle(handle_);
  handle_ = nullptr;
}

void Process::Detach() {
  if (handle_) CloseHandle(handle_);
  handle_ = nullptr;
}

namespace {

std::string FromHex(const std::string& hex) {
  auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  std::string out(hex.size() / 2, '\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(digit(hex[2 * i]) << 4 | digit(hex[2 * i + 1]));
  return out;
}

}  // namespace

Roomsim::Roomsim(const std::string& arguments) : transcript_(TempFile("room")) {
  process_ = Process(ExeDir() + "\\roomsim.exe", "--transcript \"" + transcript_ + "\" " + arguments);
  ready_ = WaitFor("ready", 90);
}

Roomsim::~Roomsim() {
  process_.Kill();
  DeleteFileA(transcript_.c_str());
}

std::vector<Entry> Roomsim::Entries() const { return ReadTranscript(transcript_); }

std::vector<Entry> ReadTranscript(const std::string& path) {
  std::vector<Entry> entries;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  // roomsim writes whole lines; one without its newline is still being written.
  while (std::getline(in, line) && !in.eof()) {
    std::istringstream words(line);
    Entry e;
    words >> e.kind;
    std::string word;
    while (words >> word) {
      const auto eq = word.find('=');
      if (eq == std::string::npos) continue;
      e.fields[word.substr(0, eq)] = word.substr(eq + 1);
    }
    if (e.fields.count("t")) e.t = std::stod(e.fields["t"]) / 1000.0;
    e.bytes = FromHex(e.fields["hex"]);
    e.fields.erase("hex");
    entries.push_back(e);
  }
  return entries;
}

std::vector<Entry> Roomsim::Posts() const {
  std::vector<Entry> posts;
  for (const Entry& e : Entries())
    if (e.kind == "post") posts.push_back(e);
  return posts;
}

std::vector<Entry> Roomsim::Astray() const {
  std::vector<Entry> astray;
  for (const Entry& e : Entries())
    if (e.kind == "decoy" || e.kind == "stray") astray.push_back(e);
  return astray;
}

bool Roomsim::WaitForPosts(std::size_t count, double seconds) const {
  return WaitUntil([&] { return Posts().size() >= count; }, seconds);
}

bool Roomsim::WaitFor(const std::string& kind, double seconds) const {
  return WaitUntil(
      [&] {
        for (const Entry& e : Entries())
          if (e.kind == kind) return true;
        return false;
      },
      seconds);
}

void Roomsim::Release() const {
  const std::string name = "roomsim.release." + std::to_string(process_.Id());
  if (HANDLE release = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str())) {
    SetEvent(release);
    CloseHandle(release);
  }
}

RegistryValue::RegistryValue(const std::string& key, const char* name, const std::string& text) : name_(name) {
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
  RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

RegistryValue::RegistryValue(const std::string& key, const char* name, DWORD number) : name_(name) {
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
  RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

RegistryValue::~RegistryValue() {
  RegDeleteValueA(key_, name_);
  RegCloseKey(key_);
}

}  // namespace driver
