// Fuzzes the send sequence with the real roster and wait: clock steps and jumps, edits, nested
// clicks up to the bound, Esc and ending the process arrive at fuzzer-chosen moments.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_platform.h"
#include "sequence/sequence.h"

namespace {

using namespace tavi;

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteSource bytes(data, size);
  fuzz::FuzzPlatform platform(bytes);
  platform.clock = bytes.Unit() % 86400 + bytes.Byte() / 256.0;

  WideString box = u"Paella?";
  std::vector<int> runs;      // the run each post belongs to
  std::vector<int> made;      // posts so far, per run
  std::vector<bool> stopped;  // per run: stopped by an Esc
  std::vector<int> open;      // the runs in progress, outermost first
  int waits = 0, started = 0;
  bool ended = false, anyStopped = false;
  const VariantRoster roster = MakeVariantRoster(platform);
  RunsInProgress inProgress;
  const StopCheck isStopped = [&] { return inProgress.Stopped(); };

  const std::function<void()> click = [&] {
    inProgress.TryStart([&] {
      const int run = started++;
      made.push_back(0);
      stopped.push_back(false);
      open.push_back(run);
      Check(open.size() <= static_cast<std::size_t>(RunsInProgress::kMost));
      SendAllVariants([&] { return std::optional<WideString>(box); }, roster,
                      [&](WideString&) {
                        Check(!stopped[run] && made[run]++ < 7);  // no post after an Esc
                        runs.push_back(run);
                      },
                      [&](const std::int32_t& seconds) {
                        ++waits;
                        WaitSeconds(seconds, platform, isStopped);
                      },
                      isStopped);
      open.pop_back();
    });
  };
  platform.onEvents = [&] {
    switch (bytes.Byte()) {
      case 1: box = u"edited " + WideString(1, static_cast<char16_t>(bytes.Unit())); break;
      case 2: click(); break;
      case 3: platform.EndProcess();
      case 4:
        inProgress.StopAll();
        for (int run : open) stopped[run] = true;
        anyStopped = anyStopped || !open.empty();
        break;
      default: break;
    }
  };
  try {
    click();
  } catch (const fuzz::ProcessEnded&) {
    ended = true;
  }
  if (ended) {
    Check(runs.size() <= 7u * started);
    return 0;
  }
  // Every run made its seven posts and six waits, but one stopped, which made
  // none after the Esc; a nested run's posts all come before the run it
  // interrupted goes on.
  if (!anyStopped) Check(runs.size() == 7u * started && waits == 6 * started);
  std::vector<int> count(started, 0), stack;
  const auto over = [&](int run) { return count[run] == 7 || stopped[run]; };
  for (int run : runs) {
    if (count[run] == 0) {
      stack.push_back(run);
    } else {
      // Back in an earlier run: the runs nested in it must be over.
      while (stack.back() != run) {
        Check(over(stack.back()));
        stack.pop_back();
      }
    }
    ++count[run];
  }
  for (int run = 0; run < started; ++run) Check(over(run));
  return 0;
}
