// Style throughput: each style against a plain copy of a string as long as its output.
// Prints one line per style and length: "style <name> <units> <style ns> <copy ns> <ratio>",
// "events 32766 <ns>": FancyLetters' event checks alone, and "preview <hearts|letters> <units> <ns>":
// the preview's seven posts of a line of "<3" or of letters, the markup reader's worst line.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "sequence/preview.h"
#include "sequence/sequence.h"
#include "styles/styles.h"

namespace {

using tavi::WideString;

// No events, a fixed clock and a cheap generator: only the styles' own work counts.
class QuietPlatform : public tavi::Platform {
 public:
  bool ProcessPendingEvents() override {
    benchmark::ClobberMemory();
    return false;
  }
  bool EventsPending() override { return false; }
  bool WaitForEventOrTimeout(double) override { return true; }
  void Pause(double) override {}
  double TimeOfDay() override { return 43200.0; }
  void ReseedFromClock() override { state_ += 0x9E3779B9u; }
  float DrawRandom() override {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
  }
  // A code page of one byte a character, as Windows-1252 is; "?" for what it lacks.
  std::optional<tavi::AnsiString> ToAnsi(const WideString& text) override {
    tavi::AnsiString out(text.size(), '?');
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] < 0x100) out[i] = static_cast<char>(text[i]);
    return out;
  }
  std::optional<tavi::WideString> FromAnsi(const tavi::AnsiString& text) override {
    WideString out(text.size(), u'?');
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<unsigned char>(text[i]);
    return out;
  }
  tavi::WindowHandle FindWindowA(const tavi::AnsiString&) override { return 0; }
  tavi::WindowHandle FindWindowExA(tavi::WindowHandle, tavi::WindowHandle, const tavi::AnsiString&) override {
    return 0;
  }
  WideString WindowCaption(tavi::WindowHandle) override { return {}; }
  tavi::HostAccess AccessTo(tavi::WindowHandle) override { return tavi::HostAccess::kOpen; }
  bool LastLines(tavi::WindowHandle, std::size_t, std::vector<tavi::ControlLine>&) override { return false; }
  bool SendMessageA(tavi::WindowHandle, unsigned, std::uintptr_t, const char*) override { return false; }
  bool SetWindowPos(tavi::WindowHandle, tavi::WindowHandle, int, int, int, int, unsigned) override { return false; }
  [[noreturn]] void EndProcess() override { std::abort(); }

 private:
  unsigned state_ = 1;
};

QuietPlatform platform;

// A line like a user's: letters that the fancy style replaces, pairs, spaces.
WideString Line(std::size_t units) {
  const WideString pattern = u"Paella? Noel says hello <3 to AEON, ";
  WideString text;
  while (text.size() < units) text += pattern;
  text.resize(units);
  return text;
}

struct Style {
  const char* name;
  std::optional<WideString> (*apply)(const WideString&);
};

std::optional<WideString> Fancy(const WideString& t) { return tavi::FancyLetters(t, platform); }
std::optional<WideString> Colours(const WideString& t) { return tavi::ColorGroups(t, platform); }

const Style kStyles[] = {
    {"SpaceWithBullets", tavi::SpaceWithBullets}, {"FancyLetters", Fancy},  {"SpaceWithDashes", tavi::SpaceWithDashes},
    {"SpaceWithDots", tavi::SpaceWithDots},       {"ColorGroups", Colours}, {"SupSubWave", tavi::SupSubWave},
};

void RunStyle(benchmark::State& state, const Style* style, std::size_t units) {
  const WideString text = Line(units);
  for (auto _ : state) {
    std::optional<WideString> out = style->apply(text);
    benchmark::DoNotOptimize(out->data());
  }
}

// The floor: copying a string as long as the style's output.
void RunCopy(benchmark::State& state, const Style* style, std::size_t units) {
  const WideString model(style->apply(Line(units))->size(), u'x');
  for (auto _ : state) {
    WideString out = model;
    benchmark::DoNotOptimize(out.data());
  }
}

// The floor under FancyLetters: its 2 (n + 1) event checks alone.
void RunEvents(benchmark::State& state, std::size_t units) {
  tavi::Platform* events = &platform;
  benchmark::DoNotOptimize(events);  // a real virtual call, as FancyLetters makes it
  for (auto _ : state)
    for (std::size_t i = 0; i < 2 * (units + 1); ++i) events->ProcessPendingEvents();
}

// The preview's seven posts of `units` units of `unit` repeated.
void RunPreview(benchmark::State& state, const char16_t* unit, std::size_t units) {
  WideString text;
  while (text.size() < units) text += unit;
  text.resize(units);
  tavi::PreviewedPosts posts;
  for (auto _ : state) {
    tavi::PreviewPosts(text, platform, posts);
    benchmark::DoNotOptimize(posts[0].line.plain.data());
  }
}

const std::pair<const char*, const char16_t*> kPreviewLines[] = {{"hearts", u"<3"}, {"letters", u"ab"}};
const std::size_t kPreviewUnits[] = {512, 1024, 2048};

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
  const std::size_t lengths[] = {40, 32766};
  for (const Style& style : kStyles) {
    for (std::size_t units : lengths) {
      const std::string suffix = std::string(style.name) + "/" + std::to_string(units);
      benchmark::RegisterBenchmark(("style/" + suffix).c_str(), RunStyle, &style, units)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true);
      benchmark::RegisterBenchmark(("copy/" + suffix).c_str(), RunCopy, &style, units)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true);
    }
  }
  benchmark::RegisterBenchmark("events/32766", RunEvents, std::size_t{32766})
      ->Repetitions(5)
      ->ReportAggregatesOnly(true);
  for (const auto& [name, unit] : kPreviewLines) {
    for (std::size_t units : kPreviewUnits) {
      benchmark::RegisterBenchmark(("preview/" + std::string(name) + "/" + std::to_string(units)).c_str(), RunPreview,
                                   unit, units)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true);
    }
  }
  benchmark::Initialize(&argc, argv);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  for (const Style& style : kStyles) {
    for (std::size_t units : lengths) {
      const std::string suffix = std::string(style.name) + "/" + std::to_string(units);
      const double s = collector.medians["style/" + suffix], c = collector.medians["copy/" + suffix];
      std::printf("style %s %zu %.0f %.0f %.2f\n", style.name, units, s, c, c > 0 ? s / c : 0.0);
    }
  }
  std::printf("events 32766 %.0f\n", collector.medians["events/32766"]);
  for (const auto& [name, unit] : kPreviewLines) {
    for (std::size_t units : kPreviewUnits) {
      std::printf("preview %s %zu %.0f\n", name, units,
                  collector.medians["preview/" + std::string(name) + "/" + std::to_string(units)]);
    }
  }
  return 0;
}
