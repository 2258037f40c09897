// Fuzzes the send sequence with the real roster and wait: clock steps and jumps,
// edits, a nested click and ending the process arrive at fuzzer-chosen moments.
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
  std::vector<int> runs;  // the run each post belongs to
  std::vector<int> made;  // posts so far, per run
  int waits = 0, started = 0, depth = 0;
  bool ended = false;
  const VariantRoster roster = MakeVariantRoster(platform);

  std::function<void()> click = [&] {
    const int run = started++;
    made.push_back(0);
    ++depth;
    SendAllVariants([&] { return std::optional<WideString>(box); }, roster,
                    [&](WideString&) {
                      Check(made[run]++ < 7);
                      runs.push_back(run);
                    },
                    [&](const std::int32_t& seconds) {
                      ++waits;
                      WaitSeconds(seconds, platform);
                    });
    --depth;
  };
  platform.onEvents = [&] {
    switch (bytes.Byte()) {
      case 1: box = u"edited " + WideString(1, static_cast<char16_t>(bytes.Unit())); break;
      case 2:
        if (depth < 3) click();
        break;
      case 3: platform.EndProcess();
      default: break;
    }
  };
  try {
    click();
  } catch (const fuzz::ProcessEnded&) {
    ended = true;
  }
  if (!ended) {
    // Every run made its seven posts and six waits; a nested run's posts all
    // come before the run it interrupted goes on.
    Check(runs.size() == 7u * started && waits == 6 * started);
    std::vector<int> count(started, 0), stack;
    for (int run : runs) {
      if (count[run] == 0) {
        stack.push_back(run);
      } else {
        // Back in an earlier run: the runs nested in it must be complete.
        while (stack.back() != run) {
          Check(count[stack.back()] == 7);
          stack.pop_back();
        }
      }
      ++count[run];
    }
    for (int c : count) Check(c == 7);
  } else {
    Check(runs.size() <= 7u * started);
  }
  return 0;
}
