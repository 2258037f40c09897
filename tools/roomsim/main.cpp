// roomsim: a stand-in chat host with the window classes tavi looks for.
#include <windows.h>

#include <string>
#include <vector>

#include "tools/roomsim/host.h"
#include "tools/roomsim/options.h"

namespace {

std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; argv && i < count; ++i) {
    const int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    arg.resize(arg.size() - 1);
    args.push_back(arg);
  }
  LocalFree(argv);
  return args;
}

// Writes to the console we were started from, or shows a message box.
void Say(const std::string& text, bool error) {
  HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
    out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD written = 0;
  if (out && out != INVALID_HANDLE_VALUE &&
      WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
    return;
  MessageBoxA(nullptr, text.c_str(), "roomsim", error ? MB_ICONERROR : MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const roomsim::ParseResult parsed = roomsim::ParseOptions(Arguments());
  if (!parsed.error.empty()) {
    Say("roomsim: " + parsed.error + "\nTry 'roomsim --help' for the options.\n", true);
    return 2;
  }
  if (parsed.options.help) {
    Say(roomsim::HelpText(), false);
    return 0;
  }
  if (!roomsim::CreateHost(parsed.options, instance)) {
    Say("roomsim: could not create the host windows\n", true);
    return 1;
  }
  return roomsim::RunHost();
}
