// OutputDebugStringA: the debugger output of the subset, routed to a replaceable sink.
#include "debug_output.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "../common/never_destroyed.h"

namespace platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The sink chosen by the environment, decided once on first use.
class DefaultSink {
 public:
  DefaultSink() {
    const char* target = std::getenv("TAVRELO_DEBUG_OUTPUT");
    if (target == nullptr || *target == '\0') return;
    if (std::string_view(target) == "-") {
      stream_ = stderr;
      return;
    }
    file_.reset(std::fopen(target, "a"));
    stream_ = file_.get();
  }

  void Write(std::string_view text) {
    if (stream_ == nullptr) return;
    std::fwrite(text.data(), 1, text.size(), stream_);
    std::fflush(stream_);
  }

 private:
  std::unique_ptr<std::FILE, FileCloser> file_;
  std::FILE* stream_ = nullptr;
};

struct DebugOutputState {
  DefaultSink fallback;
  DebugOutputSink sink;
};

DebugOutputState& State() {
  static NeverDestroyed<DebugOutputState> state;
  return state.get();
}

}  // namespace

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) {
  DebugOutputSink previous = std::move(State().sink);
  State().sink = std::move(sink);
  return previous;
}

DebugOutputCapture::DebugOutputCapture()
    : previous_(SetDebugOutputSink([this](std::string_view text) { lines_.emplace_back(text); })) {}

DebugOutputCapture::~DebugOutputCapture() { SetDebugOutputSink(std::move(previous_)); }

}  // namespace platform

extern "C" VOID WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
  if (lpOutputString == nullptr) return;
  platform::DebugOutputState& state = platform::State();
  if (state.sink)
    state.sink(lpOutputString);
  else
    state.fallback.Write(lpOutputString);
}
