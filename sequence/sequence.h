// The send sequence: one click becomes seven styled posts with waits between them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace tavi {

// A style: the decorated line, or nothing where it would not fit in memory.
using StyleOperation = std::function<std::optional<WideString>(const WideString&)>;
// Returns the current text of the message box; nothing if memory is short.
using TextSource = std::function<std::optional<WideString>()>;
// Returns the current frame class name to search for; nothing if memory is short.
using FrameClassSource = std::function<std::optional<WideString>()>;
// Posts one line; may alter its copy of the line.
using ChatPoster = std::function<void(WideString&)>;
using WaitOperation = std::function<void(const std::int32_t&)>;
using VariantRoster = std::vector<StyleOperation>;
// Whether the run going on has been stopped (Esc); empty: it never is.
using StopCheck = std::function<bool()>;

// The interval between posts. The wait takes whole seconds, so this is
// rounded to the nearest whole number (ties to even): a wait of 1 second.
constexpr double kPostInterval = 0.6;

// Nearest whole number, ties to even, as the wait's whole seconds need it.
std::int32_t RoundToInt32(double value);

// The seven variants of a click, in their fixed order: bullets, fancy
// letters, dashes, dots, colours, colours again, the sup/sub wave.
VariantRoster MakeVariantRoster(Platform& platform);

// Reads the text afresh, styles it and posts it for every variant in turn,
// waiting after every post but the last. A variant whose text cannot be read
// or styled for lack of memory is skipped; its wait is kept. Once `stopped`
// says so, no further post is made and the run returns.
void SendAllVariants(const TextSource& source, const VariantRoster& roster, const ChatPoster& poster,
                     const WaitOperation& wait, const StopCheck& stopped = {});

// The runs in progress: a click's run and the runs of clicks made during its
// waits, each nested in the one before. Each level takes stack (tavi's frames
// and the window manager's dispatch), so a storm of clicks stops at a bound.
class RunsInProgress {
 public:
  static constexpr int kMost = 16;
  // Runs `run` unless kMost runs are in progress already; whether it ran.
  bool TryStart(const std::function<void()>& run);
  // Stops every run in progress (Esc): each is to make no further post and
  // end. A run started afterwards, also one nested in them, goes on whole.
  void StopAll() { stopped_ = count_; }
  // Whether the innermost run in progress, the one whose code is running, was stopped.
  bool Stopped() const { return count_ > 0 && count_ <= stopped_; }

 private:
  int count_ = 0;
  int stopped_ = 0;  // how many of the runs in progress, from the outermost, were stopped
};

// Waits `seconds` measured from the time of day rounded to a whole second,
// handling window events meanwhile without keeping the processor busy; ends
// early once `stopped` says so.
void WaitSeconds(const std::int32_t& seconds, Platform& platform, const StopCheck& stopped = {});

}  // namespace tavi
