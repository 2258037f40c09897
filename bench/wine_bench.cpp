// Benchmarks that need Windows (run under Wine). Each prints "name value..." lines.
//   wine_bench fancy       FancyLetters on 32,766 units against its event checks alone
//   wine_bench startup     launch to visible window: tavi.exe against its window alone and a minimal one
//   wine_bench respond     how fast an edit or a click made during a wait is handled
//   wine_bench stack       the stack one run and sixteen nested runs take
//   wine_bench preview     a preview update of a 100-character line, the room's line, typed to shown
//   wine_bench wait        waits until a tavi window is open
//   wine_bench run FILE    clicks the running tavi and waits for seven more posts in FILE
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_room.h"
#include "chat/chat.h"
#include "platform/win32/win32_platform.h"
#include "styles/styles.h"
#include "tools/driver/tavi_app.h"

namespace {

using bench::BenchRoom;
using bench::Median;
using driver::Now;

int Fancy() {
  tavi::Win32Platform platform;
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // this thread has a message queue
  const std::u16string pattern = u"Paella? Noel says hello <3 to AEON, ";
  std::u16string text;
  while (text.size() < 32766) text += pattern;
  text.resize(32766);
  const int checks = 2 * (32766 + 1);
  std::vector<double> style, floor;
  for (int round = 0; round < 3; ++round) {
    double t = Now();
    const std::optional<std::u16string> out = tavi::FancyLetters(text, platform);
    style.push_back(Now() - t);
    t = Now();
    for (int i = 0; i < checks; ++i) platform.ProcessPendingEvents();
    floor.push_back(Now() - t);
    if (!out || out->empty()) return 1;
  }
  std::printf("fancy %.1f %.1f %.3f %.1f\n", Median(style) * 1e3, Median(floor) * 1e3, Median(style) / Median(floor),
              Median(floor) / checks * 1e6);
  return 0;
}

double LaunchToVisible(const std::string& exe) {
  const double start = Now();
  driver::Process process(exe, "");
  while (!driver::FindTopWindow(process.Id(), nullptr) && Now() - start < 60) Sleep(1);
  const double took = Now() - start;
  process.Kill();
  return took;
}

// tavi against the same window without its logic, and against the least window a program can
// show, all three started alike (tavi's entry point and runtime); a round of each first, not
// counted, so that all three start warm; then 31 rounds, each in another order, and the medians.
int Startup() {
  const std::string dir = driver::ExeDir();
  const std::string exes[3] = {dir + "\\tavi.exe", dir + "\\bench\\minimal_form.exe",
                               dir + "\\bench\\minimal_window.exe"};
  std::vector<double> took[3];
  for (const std::string& exe : exes) LaunchToVisible(exe);
  for (int round = 0; round < 31; ++round) {
    for (int k = 0; k < 3; ++k) {
      const int which = (round + k) % 3;
      took[which].push_back(LaunchToVisible(exes[which]));
    }
  }
  const std::vector<double>&tavi = took[0], &form = took[1], &window = took[2];
  std::printf("startup %.0f %.0f %.3f %.0f %.3f\n", Median(tavi) * 1e3, Median(form) * 1e3, Median(tavi) / Median(form),
              Median(window) * 1e3, Median(tavi) / Median(window));
  return 0;
}

int Respond() {
  BenchRoom room;
  driver::TaviApp tavi;
  if (!tavi.ready()) return 1;
  tavi.SetText(tavi.text10, L"tavi bench host");
  tavi.SetText(tavi.text1, L"ping");

  // Edits during each of a run's six waits: the round trip of setting the
  // message box's text, which tavi handles on its own thread. The first
  // click, which starts this run, is a cold one: tavi's first run.
  std::vector<double> edits, idleClicks, waitClicks;
  double clicked = Now();
  tavi.Click();
  if (!room.WaitFor(&BenchRoom::Texts, 1, 30)) return 1;
  const double firstClick = room.TextTime(0) - clicked;
  for (std::size_t k = 1; k <= 6; ++k) {
    if (!room.WaitFor(&BenchRoom::Posts, k, 30)) return 1;
    Sleep(40);
    for (int j = 0; j < 4; ++j) {
      const std::wstring text = L"edit " + std::to_wstring(k) + L"." + std::to_wstring(j);
      const double t = Now();
      SendMessageW(tavi.text1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      edits.push_back(Now() - t);
      Sleep(50);
    }
  }
  if (!room.WaitFor(&BenchRoom::Posts, 7, 30)) return 1;
  Sleep(500);

  // Clicks at idle, each run stopped by Esc once its first post is out (the
  // post completes, nothing follows); then one more at idle, and each next
  // click during the first wait of the run the previous click started: the
  // time until that click's first post arrives.
  constexpr int kIdle = 6, kNested = 6;
  std::size_t texts = room.Texts();
  for (int c = 0; c <= kIdle; ++c) {
    texts = room.Texts();
    clicked = Now();
    tavi.Click();
    if (!room.WaitFor(&BenchRoom::Texts, texts + 1, 30)) return 1;
    idleClicks.push_back(room.TextTime(texts) - clicked);
    if (c == kIdle) break;
    if (!room.WaitFor(&BenchRoom::Posts, texts + 1, 30)) return 1;
    tavi.PressKey(VK_ESCAPE);
    Sleep(1500);  // a wait of the stopped run would have ended by now: tavi is idle
  }
  const std::size_t idleRuns = static_cast<std::size_t>(kIdle);
  for (int c = 0; c < kNested; ++c) {
    if (!room.WaitFor(&BenchRoom::Posts, room.Texts(), 30)) return 1;  // that post is done: a wait begins
    Sleep(100);
    texts = room.Texts();
    clicked = Now();
    tavi.Click();
    if (!room.WaitFor(&BenchRoom::Texts, texts + 1, 30)) return 1;
    waitClicks.push_back(room.TextTime(texts) - clicked);
  }
  room.WaitFor(&BenchRoom::Posts, 7 * (kNested + 2) + idleRuns, 7.0 * (kNested + 1) + 30);
  tavi.process().Kill();
  std::printf("respond-edit %zu %.2f %.2f\n", edits.size(), Median(edits) * 1e3,
              *std::max_element(edits.begin(), edits.end()) * 1e3);
  std::printf("respond-click %zu %.2f %.2f %zu %.2f\n", waitClicks.size(), Median(waitClicks) * 1e3,
              Median(idleClicks) * 1e3, idleClicks.size(), firstClick * 1e3);
  return 0;
}

// Where tavi's thread is in its stack, read while the thread is stopped: the
// bytes in use from the stack's base, and the stack's whole reserve.
struct StackDepth {
  long used = -1, reserve = -1;
};
StackDepth StackInUse(driver::TaviApp& tavi) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, tavi.process().Id());
  HANDLE thread =
      OpenThread(THREAD_GET_CONTEXT | THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(tavi.form, nullptr));
  StackDepth depth;
  CONTEXT context{};
  context.ContextFlags = CONTEXT_CONTROL;
  MEMORY_BASIC_INFORMATION stack{};
  SuspendThread(thread);
  // The committed part of a stack runs from below the stack pointer up to its base.
  if (GetThreadContext(thread, &context) &&
      VirtualQueryEx(process, reinterpret_cast<void*>(context.Esp), &stack, sizeof stack)) {
    const auto base = reinterpret_cast<std::uintptr_t>(stack.BaseAddress) + stack.RegionSize;
    depth.used = static_cast<long>(base - context.Esp);
    depth.reserve = static_cast<long>(base - reinterpret_cast<std::uintptr_t>(stack.AllocationBase));
  }
  ResumeThread(thread);
  CloseHandle(thread);
  CloseHandle(process);
  return depth;
}

// The stack that runs nested in each other take: tavi's thread stopped while
// the host holds the first post of the only run, then of the sixteenth of a
// click storm; each time the thread is inside that post's Enter.
int Stack() {
  StackDepth depth[2];
  for (int runs : {1, 16}) {
    driver::Roomsim room("--hold-after " + std::to_string(runs));
    driver::TaviApp tavi;
    if (!room.ready() || !tavi.ready()) return 1;
    tavi.ClickStorm(runs == 1 ? 1 : 100);
    if (!room.WaitFor("hold", 120)) return 1;
    depth[runs == 16] = StackInUse(tavi);
    room.Release();
  }
  if (depth[0].used <= 0 || depth[1].used <= depth[0].used) return 1;
  std::printf("stack %ld %ld %.0f %ld\n", depth[0].used, depth[1].used, (depth[1].used - depth[0].used) / 15.0,
              depth[1].reserve);
  return 0;
}

int RunOnce(const std::string& transcript) {
  driver::TaviApp tavi = driver::TaviApp::FindRunning(60);
  if (!tavi.ready()) return 1;
  auto posts = [&] {
    std::size_t n = 0;
    for (const driver::Entry& e : driver::ReadTranscript(transcript)) n += e.kind == "post";
    return n;
  };
  const std::size_t before = posts();
  const double start = Now();
  tavi.Click();
  if (!driver::WaitUntil([&] { return posts() >= before + 7; }, 60)) return 1;
  std::printf("run %.2f\n", Now() - start);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "fancy") return Fancy();
  if (what == "startup") return Startup();
  if (what == "respond") return Respond();
  if (what == "stack") return Stack();
  if (what == "preview") return bench::PreviewCosts();
  if (what == "history") return bench::HistoryReads();
  if (what == "run" && argc > 2) return RunOnce(argv[2]);
  if (what == "wait") return driver::TaviApp::FindRunning(60).ready() ? 0 : 1;
  std::fprintf(stderr, "usage: wine_bench fancy|startup|respond|stack|preview|history|wait|run TRANSCRIPT\n");
  return 2;
}
