// tavrelo-monkey REPLAY STAGES WORK FIRST LAST EVENTS: the game under random input.
//
// For each seed from FIRST to LAST, a script of EVENTS random events (clicks, mostly on the
// pictures; the game's keys, menu mnemonics, dialog keys, Alt+F4 and answers to questions;
// typing; time passing) is played by tavrelo-replay from a fresh folder holding the stages of
// STAGES, with `state` after every event; `find next` clicks the first target not found yet, so
// that games get past their first stage. What a player relies on is checked at each state:
//   - lives and hints from 0 to 5; found <= targets <= 5; a stage in play has a target;
//   - the clock within the level's limit;
//   - the score never goes down within a game;
// and over the whole run: no leak report, no "Invalid memory pointer", no sanitizer report,
// and no way out but a normal exit. When the program exits (the monkey said yes to the exit
// question), it is started again with the rest of the script and the settings it left.
// A seed that fails prints the script that reproduces it, up to the failing event.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct State {
  std::string phase;
  long stage = 0, score = 0, lives = 0, hints = 0, time = 0, difficulty = 0, targets = 0,
       found = 0;
};

bool ParseState(const std::string& line, State* state) {
  if (line.rfind("state ", 0) != 0) return false;
  std::istringstream words(line.substr(6));
  for (std::string word; words >> word;) {
    const std::size_t eq = word.find('=');
    if (eq == std::string::npos) return false;
    const std::string key = word.substr(0, eq), value = word.substr(eq + 1);
    if (key == "phase") {
      state->phase = value;
      continue;
    }
    const long number = std::strtol(value.c_str(), nullptr, 10);
    if (key == "stage") state->stage = number;
    if (key == "score") state->score = number;
    if (key == "lives") state->lives = number;
    if (key == "hints") state->hints = number;
    if (key == "time") state->time = number;
    if (key == "difficulty") state->difficulty = number;
    if (key == "targets") state->targets = number;
    if (key == "found") state->found = number;
  }
  return true;
}

// Why the state breaks a rule, or empty; `previous` is the state before it in the same run.
std::string Broken(const State& s, const State* previous) {
  if (s.lives < 0 || s.lives > 5) return "lives out of 0..5";
  if (s.hints < 0 || s.hints > 5) return "hints out of 0..5";
  if (s.found > s.targets || s.targets > 5) return "not found <= targets <= 5";
  if (s.phase == "Playing" && s.targets < 1) return "a stage in play without a target";
  if (s.difficulty < 0 || s.difficulty > 2) return "no such difficulty";
  // While a stage is played its level is the one chosen; after a game, a new choice waits for
  // the next game and the old clock stands where it stopped, within the slowest level's limit.
  const long limit = s.phase == "Playing" ? (3 - s.difficulty) * 60 : 180;
  if (s.time < 0 || s.time > limit) return "the clock beyond the level's limit";
  // Within a game the score only rises; a new game starts at stage 1 with no score.
  const bool newGame = s.stage == 1 && s.score == 0;
  if (previous != nullptr && s.score < previous->score && !newGame)
    return "the score went down within a game";
  return "";
}

class Monkey {
 public:
  explicit Monkey(unsigned seed) : random_(seed) {}

  // One event: a line or two of script.
  // Misses end a game quickly: finds come as often, so that games go on through stages.
  std::string Event() {
    const int roll = Below(100);
    if (roll < 18) return Click(true);
    if (roll < 22) return Click(false);
    if (roll < 40) return std::string("find next ") + (Below(2) ? "left" : "right");
    if (roll < 75) return "key " + Key();
    if (roll < 80) return "type " + Text();
    if (roll < 99) return "tick " + std::to_string(Tick());
    return "tick 61000";  // long enough for a stage clock to run out
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string Click(bool onPictures) {
    int x, y;
    if (onPictures) {
      x = (Below(2) ? 322 : 13) + Below(300);
      y = 101 + Below(300);
    } else {
      x = Below(700) - 30;
      y = Below(480) - 30;
    }
    return std::string(Below(10) == 0 ? "rclick " : "click ") + std::to_string(x) + " " +
           std::to_string(y);
  }

  std::string Key() {
    static const char* const kKeys[] = {
        "F2",     "F2",     "F3",    "F3",  "F3",    "Escape", "Return", "Return", "Return",
        "Space",  "Tab",    "Left",  "Right", "Up",  "Down",   "Backspace", "y",   "n",
        "n",      "Alt+G",  "Alt+M", "Alt+O", "Alt+H", "Alt+F4", "F10",  "N",
        "S",      "H",      "X",     "E",   "M",     "D",      "A",      "O",      "C",
        "Shift+Tab", "F1",  "Home",  "End", "Delete", "Ctrl+A", "1",    "z"};
    return kKeys[Below(static_cast<int>(sizeof kKeys / sizeof *kKeys))];
  }

  std::string Text() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJ 0123456789-_.!";
    std::string text;
    for (int n = 1 + Below(20); n > 0; --n) text += kLetters[Below(sizeof kLetters - 1)];
    return text;
  }

  int Tick() {
    const int roll = Below(10);
    return roll < 6 ? 10 + Below(200) : roll < 9 ? 500 + Below(2000) : 5000 + Below(20000);
  }

  std::mt19937 random_;
};

struct Run {
  std::vector<std::string> lines;
  int status = 0;
  std::string errors;
};

// tavrelo-replay on a script, from `folder`, with the settings file in it.
Run Replay(const std::string& replay, const fs::path& folder, const std::vector<std::string>& script) {
  {
    std::ofstream out(folder / "monkey.script");
    for (const std::string& line : script) out << line << "\n";
  }
  const std::string command = "cd '" + folder.string() + "' && TAVRELO_REGISTRY='" +
                              (folder / "user.reg").string() + "' '" + replay +
                              "' monkey.script out 2>stderr.txt";
  Run run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {{}, -1, "cannot start " + replay};
  char buffer[4096];
  std::string pending;
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
    pending += buffer;
    if (!pending.empty() && pending.back() == '\n') {
      pending.pop_back();
      run.lines.push_back(pending);
      pending.clear();
    }
  }
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::ifstream errors(folder / "stderr.txt");
  run.errors.assign(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
  return run;
}

// Plays one seed; empty when every rule held, else what broke, with `*at` the failing event.
std::string PlaySeed(const std::string& replay, const fs::path& stages, const fs::path& folder,
                     unsigned seed, int eventCount, std::vector<std::string>* script, int* at) {
  Monkey monkey(seed);
  std::vector<std::string> events;
  for (int i = 0; i < eventCount; ++i) events.push_back(monkey.Event());
  // Five stages are as good as the whole set for a monkey, and quicker to copy.
  fs::remove_all(folder);
  fs::create_directories(folder / "Stage");
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(stages))
    if (entry.path().extension() == ".stg") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (std::size_t i = 0; i < files.size() && i < 5; ++i)
    fs::copy_file(files[i], folder / "Stage" / files[i].filename());

  int next = 0;
  while (next < eventCount) {
    // The splash screen first, then event, state, event, state...
    std::vector<std::string> chunk = {"tick 4600"};
    for (int i = next; i < eventCount; ++i) {
      chunk.push_back(events[i]);
      chunk.push_back("state");
    }
    const Run run = Replay(replay, folder, chunk);
    int done = next;  // events whose state was printed
    const State* previous = nullptr;
    State last;
    bool exited = false;
    for (const std::string& line : run.lines) {
      State state;
      if (ParseState(line, &state)) {
        const std::string why = Broken(state, previous);
        *script = std::vector<std::string>(events.begin(), events.begin() + done + 1);
        *at = done;
        if (!why.empty()) return why + ": " + line;
        last = state;
        previous = &last;
        ++done;
      } else if (line.find("Memory leak detected") != std::string::npos ||
                 line.find("Invalid memory pointer") != std::string::npos) {
        *at = done;
        *script = std::vector<std::string>(events.begin(), events.begin() + done + 1);
        return "the game reported: " + line;
      } else if (line.rfind("exit ", 0) == 0) {
        exited = true;
      } else if (line.rfind("error ", 0) == 0) {
        *at = done;
        return "the script was refused: " + line;
      }
    }
    *at = done;
    *script = std::vector<std::string>(events.begin(), events.begin() + std::min(done + 1, eventCount));
    if (run.status != 0 || run.errors.find("ERROR: ") != std::string::npos ||
        run.errors.find("runtime error") != std::string::npos)
      return "tavrelo-replay ended with status " + std::to_string(run.status) + "\n" + run.errors;
    if (!exited) break;  // the script ran out with the program still running: done
    // The event after the last state ended the program: go on after it, with what it saved.
    next = done + 1;
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fputs("usage: tavrelo-monkey REPLAY STAGES WORK FIRST LAST EVENTS\n", stderr);
    return 2;
  }
  const std::string replay = fs::absolute(argv[1]).string();
  const fs::path stages = fs::absolute(argv[2]), work = fs::absolute(argv[3]);
  const unsigned first = static_cast<unsigned>(std::atoi(argv[4]));
  const unsigned last = static_cast<unsigned>(std::atoi(argv[5]));
  const int events = std::atoi(argv[6]);
  int failures = 0;
  for (unsigned seed = first; seed <= last; ++seed) {
    std::vector<std::string> script;
    int at = 0;
    const std::string why = PlaySeed(replay, stages, work / ("seed-" + std::to_string(seed)), seed,
                                     events, &script, &at);
    if (why.empty()) {
      std::printf("seed %u: %d events, every rule held\n", seed, events);
      continue;
    }
    ++failures;
    std::printf("seed %u: event %d: %s\nThe script that reproduces it (after the splash screen, "
                "with state after each event):\ntick 4600\n", seed, at, why.c_str());
    for (const std::string& line : script) std::printf("%s\nstate\n", line.c_str());
  }
  std::printf("%d of %u seeds failed\n", failures, last - first + 1);
  return failures == 0 ? 0 : 1;
}
