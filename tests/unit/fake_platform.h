// A recording fake of the platform: scripted clock, events, draws and window tree.
#pragma once

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tavi::testing {

// Thrown by EndProcess so a test can see where the process would have ended.
struct ProcessEnded {};

class FakePlatform : public Platform {
 public:
  // --- clock: an absolute time; TimeOfDay wraps it at midnight ---
  double time = 0.0;

  // --- events: each runs once, when the clock has reached its time ---
  struct Event {
    double at;
    std::function<void()> action;
  };
  std::vector<Event> events;
  void At(double when, std::function<void()> action) { events.push_back({when, std::move(action)}); }
  int processCalls = 0;
  std::vector<double> blockingWaits;  // the seconds asked of each blocking wait
  bool waitsFail = false;             // every blocking wait fails at once
  bool stuckQueueBit = false;         // the queue check always says "pending"

  // --- random draws: returned in order; 0 when none are left ---
  std::deque<float> draws;
  std::string randomCalls;  // "r" a reseed, "d" a draw, in the order made

  // --- windows, in enumeration order among siblings ---
  struct Window {
    WindowHandle handle;
    WindowHandle parent;
    std::string className;
  };
  std::vector<Window> windows;
  WindowHandle AddWindow(WindowHandle parent, const std::string& className) {
    const WindowHandle handle = 0x100 + windows.size();
    windows.push_back({handle, parent, className});
    return handle;
  }
  struct Message {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::optional<std::string> text;
  };
  std::vector<Message> messages;
  std::set<WindowHandle> hungWindows;  // messages to these are not delivered
  std::map<WindowHandle, WideString> captions;
  std::map<WindowHandle, HostAccess> access;  // kOpen where not given
  // The lines each history control shows, laid out as a rich edit control lays them out: each
  // ends with "\r" but the last, and wraps every `wrapAt` units. A hung window answers nothing.
  std::map<WindowHandle, std::vector<WideString>> histories;
  std::size_t wrapAt = 40;
  std::size_t convertsAtMost = static_cast<std::size_t>(-1);  // longer: no memory for ToAnsi's result

  // --- Platform ---
  bool ProcessPendingEvents() override {
    ++processCalls;
    if (stuckQueueBit) time += 1e-6;  // a turn of the loop, with nothing to handle
    bool handled = false;
    for (auto due = TakeDueEvent(); due; due = TakeDueEvent(), handled = true) (*due)();
    return handled;
  }
  bool EventsPending() override {
    return stuckQueueBit || std::any_of(events.begin(), events.end(), [&](const Event& e) { return e.at <= time; });
  }
  // As before Windows XP: a wait wakes only for events that come after it
  // began, never for those already waiting.
  bool WaitForEventOrTimeout(double seconds) override {
    blockingWaits.push_back(seconds);
    if (waitsFail) {
      time += 1e-6;  // a failed wait returns at once
      return false;
    }
    double until = time + seconds;
    for (const Event& e : events) until = e.at > time ? std::min(until, e.at) : until;
    time = until;
    return true;
  }
  void Pause(double seconds) override { time += seconds; }
  double TimeOfDay() override { return std::fmod(time, 86400.0); }
  void ReseedFromClock() override { randomCalls += 'r'; }
  float DrawRandom() override {
    randomCalls += 'd';
    if (draws.empty()) return 0.0f;
    const float r = draws.front();
    draws.pop_front();
    return r;
  }
  // The ANSI code page: Windows-1252, or 932 (Japanese, two bytes for some characters), for the
  // characters the tests use; a best fit or "?" for the rest. A surrogate pair (an emoji) becomes
  // one "?" (as Windows converts it now) or two (one a unit, as older Windows did).
  int codePage = 1252;
  bool pairAsOne = false;
  std::optional<AnsiString> ToAnsi(const WideString& text) override {
    if (text.size() > convertsAtMost) return std::nullopt;
    AnsiString out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (pairAsOne && c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
          text[i + 1] < 0xE000)
        ++i;  // the pair's "?" below
      if (c < 0x80)
        out.push_back(static_cast<char>(c));
      else if (codePage == 932 && c == 0x0416)  // Cyrillic Zhe
        out += "\x84\x47";
      else if (codePage == 932 && c == 0x2192)  // rightwards arrow
        out += "\x81\xA8";
      else if (codePage == 932 && c == 0x00E9)  // e acute, best fit
        out.push_back('e');
      else if (codePage == 1252 && c >= 0xA0 && c <= 0xFF)
        out.push_back(static_cast<char>(c));
      else if (codePage == 1252 && c == 0x2022)
        out.push_back('\x95');
      else if (codePage == 1252 && c == 0x0153)
        out.push_back('\x9C');
      else
        out.push_back('?');
    }
    return out;
  }
  std::optional<WideString> FromAnsi(const AnsiString& text) override {
    WideString out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto b = static_cast<unsigned char>(text[i]);
      if (codePage == 932 && (b == 0x84 || b == 0x81) && i + 1 < text.size()) {
        out.push_back(b == 0x84 ? u'\u0416' : u'\u2192');
        ++i;
      } else if (codePage == 1252 && (b == 0x95 || b == 0x9C)) {
        out.push_back(b == 0x95 ? u'\u2022' : u'\u0153');
      } else {
        out.push_back(b);
      }
    }
    return out;
  }
  WindowHandle FindWindowA(const AnsiString& className) override { return Next(0, 0, className); }
  WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter, const AnsiString& className) override {
    return Next(parent, childAfter, className);
  }
  WideString WindowCaption(WindowHandle window) override { return captions[window]; }
  HostAccess AccessTo(WindowHandle window) override {
    return access.count(window) ? access[window] : HostAccess::kOpen;
  }
  bool LastLines(WindowHandle control, std::size_t from, std::vector<ControlLine>& out) override {
    if (hungWindows.count(control)) return false;
    std::vector<ControlLine> all;
    const std::vector<WideString>& lines = histories[control];
    for (std::size_t i = 0, at = 0; i < lines.size(); ++i) {
      WideString text = lines[i] + (i + 1 < lines.size() ? u"\r" : u"");
      do {
        all.push_back({at, text.substr(0, wrapAt)});
        at += all.back().text.size();
        text.erase(0, wrapAt);
      } while (!text.empty());
    }
    if (all.empty()) all.push_back({});
    out.assign(1, all.back());
    for (std::size_t k = all.size() - 1; k-- > 0 && all[k + 1].start > from && out.size() < kMostLines;)
      out.insert(out.begin(), all[k]);
    return true;
  }
  bool SendMessageA(WindowHandle window, unsigned message, std::uintptr_t wParam, const char* text) override {
    messages.push_back({window, message, wParam, text ? std::optional<std::string>(text) : std::nullopt});
    return hungWindows.count(window) == 0;
  }
  bool SetWindowPos(WindowHandle, WindowHandle, int, int, int, int, unsigned) override { return true; }
  [[noreturn]] void EndProcess() override { throw ProcessEnded{}; }

 private:
  std::optional<std::function<void()>> TakeDueEvent() {
    for (auto it = events.begin(); it != events.end(); ++it) {
      if (it->at <= time) {
        auto action = std::move(it->action);
        events.erase(it);
        return action;
      }
    }
    return std::nullopt;
  }
  WindowHandle Next(WindowHandle parent, WindowHandle after, const std::string& className) const {
    bool passed = after == 0;
    for (const Window& w : windows) {
      if (w.parent != parent) continue;
      if (!passed) {
        passed = w.handle == after;
        continue;
      }
      if (w.className == className) return w.handle;
    }
    return 0;
  }
};

}  // namespace tavi::testing
