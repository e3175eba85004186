// tavrelo-stage pack -o OUT.stg PICTURE LEFT,TOP[,RIGHT,BOTTOM],PATCH ...
// tavrelo-stage unpack FILE DIR
//
// Both speak of upright pictures; the stage file's upside-down storage is the tool's business.
// `@LIST` in pack's words stands for the words of the file LIST, one a line, with paths taken
// from LIST's folder: unpack writes such a list, so that unpack then pack gives the stage back.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Stage.h"
#include "commands.h"
#include "file_io.h"
#include "stage_checks.h"
#include "stage_file.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

struct Word {
  std::string text;
  fs::path folder;  // where relative paths in it are found
};

bool ExpandLists(const Arguments& args, std::vector<Word>* words, std::string* error) {
  for (const std::string& arg : args) {
    if (arg.empty() || arg[0] != '@') {
      words->push_back({arg, {}});
      continue;
    }
    const fs::path list = arg.substr(1);
    const auto bytes = ReadFileBytes(list.string(), error);
    if (!bytes) return false;
    std::istringstream in(std::string(bytes->begin(), bytes->end()));
    for (std::string line; std::getline(in, line);) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      words->push_back({line, list.parent_path()});
    }
  }
  return true;
}

std::string Resolve(const Word& word, const std::string& path) {
  if (word.folder.empty() || fs::path(path).is_absolute()) return path;
  return (word.folder / path).string();
}

// LEFT,TOP,PATCH or LEFT,TOP,RIGHT,BOTTOM,PATCH; the path may itself hold commas.
bool ParseDifference(const Word& word, Rect* rect, std::string* patchPath, bool* hasRect) {
  std::vector<long> numbers;
  std::size_t at = 0;
  while (numbers.size() < 4) {
    const std::size_t comma = word.text.find(',', at);
    if (comma == std::string::npos) break;
    const std::string field = word.text.substr(at, comma - at);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(field.c_str(), &end, 10);
    if (field.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX)
      break;
    numbers.push_back(value);
    at = comma + 1;
  }
  if (numbers.size() == 3) {  // the third number was the start of the path
    numbers.pop_back();
    at = word.text.rfind(',', at - 2) + 1;
  }
  if (numbers.size() != 2 && numbers.size() != 4) return false;
  if (at >= word.text.size()) return false;
  *patchPath = Resolve(word, word.text.substr(at));
  rect->left = static_cast<std::int32_t>(numbers[0]);
  rect->top = static_cast<std::int32_t>(numbers[1]);
  *hasRect = numbers.size() == 4;
  if (*hasRect) {
    rect->right = static_cast<std::int32_t>(numbers[2]);
    rect->bottom = static_cast<std::int32_t>(numbers[3]);
  }
  return true;
}

int PackUsage() {
  std::fputs("usage: tavrelo-stage pack -o OUT.stg PICTURE LEFT,TOP[,RIGHT,BOTTOM],PATCH ...\n",
             stderr);
  return 2;
}

}  // namespace

bool WriteStage(const std::string& out, const Image& picture,
                const std::vector<StageDifference>& differences, std::string* error) {
  StageFacts facts;
  facts.picture = {picture.width, picture.height, 24};
  for (std::size_t i = 0; i < differences.size(); ++i) {
    const StageDifference& d = differences[i];
    if (d.rect.left < 0 || d.rect.top < 0 || d.rect.left > picture.width - d.patch.width ||
        d.rect.top > picture.height - d.patch.height) {
      *error = "the patch of difference " + std::to_string(i) + " reaches outside the picture";
      return false;
    }
    facts.rects.push_back(d.rect);
    facts.patches.push_back({d.patch.width, d.patch.height, 24});
  }
  for (const std::string& warning : AuthorWarnings(facts))
    std::fprintf(stderr, "warning: %s\n", warning.c_str());
  const Bytes file = BuildStageFile(picture, differences);
  return WriteFileBytes(out, file.data(), file.size(), error);
}

int RunPack(const Arguments& args) {
  if (args.size() < 3 || args[0] != "-o") return PackUsage();
  const std::string out = args[1];
  std::vector<Word> words;
  std::string error;
  if (!ExpandLists(Arguments(args.begin() + 2, args.end()), &words, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (words.empty()) return PackUsage();

  auto picture = LoadImageFile(Resolve(words[0], words[0].text), &error);
  if (!picture) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::vector<StageDifference> differences;
  for (std::size_t i = 1; i < words.size(); ++i) {
    StageDifference difference;
    std::string patchPath;
    bool hasRect = false;
    if (!ParseDifference(words[i], &difference.rect, &patchPath, &hasRect)) {
      std::fprintf(stderr, "'%s' is not LEFT,TOP,PATCH or LEFT,TOP,RIGHT,BOTTOM,PATCH\n",
                   words[i].text.c_str());
      return 2;
    }
    auto patch = LoadImageFile(patchPath, &error);
    if (!patch) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    difference.patch = std::move(*patch);
    if (!hasRect) {
      difference.rect.right = difference.rect.left + difference.patch.width;
      difference.rect.bottom = difference.rect.top + difference.patch.height;
    }
    if (difference.rect.right <= difference.rect.left ||
        difference.rect.bottom <= difference.rect.top) {
      std::fprintf(stderr, "'%s': the rectangle is empty\n", words[i].text.c_str());
      return 1;
    }
    differences.push_back(std::move(difference));
  }
  if (!WriteStage(out, *picture, differences, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

int RunUnpack(const Arguments& args) {
  if (args.size() != 2) {
    std::fputs("usage: tavrelo-stage unpack FILE DIR\n", stderr);
    return 2;
  }
  StageData* stage = LoadStageOrExplain(args[0]);
  if (stage == nullptr) return 1;
  const fs::path dir = args[1];
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "%s: cannot make the folder: %s\n", dir.c_str(), ec.message().c_str());
    FreeStage(stage);
    return 1;
  }
  std::string error;
  // Decoded stage pictures have their stored rows from the visible top down.
  bool ok = SavePng((dir / "picture.png").string(),
                    ImageFromBmp(stage->picture.file, Orientation::UpsideDown), &error);
  std::string list = "# Unpacked from " + args[0] +
                     "; pack it again with\n#   tavrelo-stage pack -o NEW.stg @" +
                     (dir / "stage.txt").string() + "\npicture.png\n";
  for (DWORD i = 0; ok && i < stage->differenceCount; ++i) {
    const Difference& d = stage->differences[i];
    const std::string name = "patch-" + std::to_string(i) + ".png";
    ok =
        SavePng((dir / name).string(), ImageFromBmp(d.patch.file, Orientation::UpsideDown), &error);
    list += std::to_string(d.left) + "," + std::to_string(d.top) + "," + std::to_string(d.right) +
            "," + std::to_string(d.bottom) + "," + name + "\n";
  }
  FreeStage(stage);
  if (ok)
    ok = WriteFileBytes((dir / "stage.txt").string(),
                        reinterpret_cast<const std::uint8_t*>(list.data()), list.size(), &error);
  if (!ok) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace tools
