// The demo's driver: opens roomsim and tavi, types the message, clicks, prints what the room received,
// opens the preview; then makes READY_FILE and, once it is gone again (the screenshot is taken),
// closes both programs.
// Usage: demo_driver MESSAGE_FILE TRANSCRIPT_FILE READY_FILE   (the message in UTF-8)
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/driver/tavi_app.h"

namespace {

std::wstring Decode(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return {};
  std::wstring out(bytes.size() * 2 + 1, L'\0');
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(),
                                    static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return out;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void Print(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int Fail(const char* why) {
  const std::string text = std::string("demo: ") + why + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: demo_driver MESSAGE_FILE TRANSCRIPT_FILE READY_FILE");
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream message;
  message << in.rdbuf();
  const std::string transcript = argv[2];
  DeleteFileA(transcript.c_str());

  driver::Process room(driver::ExeDir() + "\\roomsim.exe", "--transcript \"" + transcript + "\"");
  if (!driver::WaitUntil([&] { return !driver::ReadTranscript(transcript).empty(); }, 90)) {
    return Fail("roomsim did not open");
  }
  driver::TaviApp tavi;
  if (!tavi.ready()) return Fail("tavi's window did not appear");
  // Moved into the chat room's empty space, as one would drag it there.
  SetWindowPos(tavi.form, nullptr, 380, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  tavi.SetText(tavi.text1, Decode(message.str(), CP_UTF8));
  tavi.Click();
  auto posts = [&] {
    std::vector<driver::Entry> found;
    for (const driver::Entry& e : driver::ReadTranscript(transcript))
      if (e.kind == "post") found.push_back(e);
    return found;
  };
  if (!driver::WaitUntil([&] { return posts().size() >= 7; }, 90)) return Fail("the seven posts did not arrive");
  // The preview beside tavi (F2): the seven posts as the room shows them, and where they go.
  tavi.PressKey(VK_F2);
  if (!driver::WaitUntil([&] { return tavi.Preview() != nullptr; }, 30)) return Fail("the preview did not open");
  Sleep(300);  // let the room and the preview finish painting

  const auto lines = posts();
  Print("The room received:\n");
  for (std::size_t k = 0; k < lines.size(); ++k) {
    char head[32];
    std::snprintf(head, sizeof head, "%2u  +%.1f s  ", static_cast<unsigned>(k + 1), lines[k].t - lines[0].t);
    Print(head + Utf8(Decode(lines[k].bytes, CP_ACP)) + "\n");
  }
  // Both programs stay open for the screenshot; they end with this driver.
  const char* ready = argv[3];
  CloseHandle(CreateFileA(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  driver::WaitUntil([&] { return GetFileAttributesA(ready) == INVALID_FILE_ATTRIBUTES; }, 120);
  tavi.Close();
  tavi.process().WaitForExit(30);
  return 0;
}
