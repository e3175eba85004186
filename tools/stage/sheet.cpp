// tavrelo-stage sheet OUT.png FILE... [--marks]: a contact sheet of stages, each as a player
// sees it at half size, four to a row, with its name; --marks outlines the differences.
// tavrelo-stage sheet --by-place DIR FILE... [--marks]: one sheet a place, DIR/PLACE.png, for
// stages named as the set names them (NNNN-PLACE.stg; any other name is a place of its own).
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "commands.h"
#include "image.h"

namespace tools {
namespace {

constexpr int kColumns = 4;
constexpr int kLabel = 16;
constexpr int kMargin = 8;

// Half size, each pixel the mean of the four it stands for.
Image Halved(const Image& image) {
  Image half = MakeImage(image.width / 2, image.height / 2);
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x)
      for (int c = 0; c < 3; ++c)
        half.Pixel(x, y)[c] = static_cast<std::uint8_t>(
            (image.Pixel(2 * x, 2 * y)[c] + image.Pixel(2 * x + 1, 2 * y)[c] +
             image.Pixel(2 * x, 2 * y + 1)[c] + image.Pixel(2 * x + 1, 2 * y + 1)[c] + 2) /
            4);
  return half;
}

// The place a stage of the set shows: its name after the number, "0417-bakery.stg" -> "bakery".
std::string PlaceOf(const std::string& file) {
  const std::string stem = std::filesystem::path(file).stem().string();
  const std::size_t dash = stem.find('-');
  const bool numbered = dash != std::string::npos && dash > 0 &&
                        stem.find_first_not_of("0123456789") == dash;
  return numbered && dash + 1 < stem.size() ? stem.substr(dash + 1) : stem;
}

int WriteSheet(const std::string& out, const std::vector<std::string>& files, bool marks) {
  std::vector<Image> thumbs;
  for (const std::string& file : files) {
    StageData* stage = LoadStageOrExplain(file);
    if (stage == nullptr) return 1;
    thumbs.push_back(Halved(PreviewOf(stage, marks)));
    FreeStage(stage);
  }
  int cellWidth = 0, cellHeight = 0;
  for (const Image& t : thumbs)
    cellWidth = std::max(cellWidth, t.width), cellHeight = std::max(cellHeight, t.height);
  const int rows = (static_cast<int>(thumbs.size()) + kColumns - 1) / kColumns;
  const int width = kColumns * (cellWidth + kMargin) + kMargin;
  const int height = rows * (cellHeight + kLabel + kMargin) + kMargin;
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr,
                 "%s: %zu stages make a sheet of %d x %d pixels, too large for one picture\n",
                 out.c_str(), files.size(), width, height);
    return 1;
  }
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
  cairo_set_source_rgb(cr.get(), 0.15, 0.15, 0.17);
  cairo_paint(cr.get());
  cairo_select_font_face(cr.get(), "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr.get(), 11);
  cairo_set_source_rgb(cr.get(), 0.9, 0.9, 0.88);
  for (std::size_t i = 0; i < thumbs.size(); ++i) {
    const int left = kMargin + static_cast<int>(i % kColumns) * (cellWidth + kMargin);
    const int top = kMargin + static_cast<int>(i / kColumns) * (cellHeight + kLabel + kMargin);
    PutImage(surface.get(), left, top + kLabel, thumbs[i]);
    cairo_move_to(cr.get(), left + 2, top + 12);
    cairo_show_text(cr.get(), std::filesystem::path(files[i]).filename().c_str());
  }
  cairo_surface_flush(surface.get());
  std::string error;
  if (!SaveSurfacePng(out, surface.get(), &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int RunSheet(const Arguments& args) {
  std::vector<std::string> words;
  bool marks = false;
  for (const std::string& arg : args) {
    if (arg == "--marks")
      marks = true;
    else
      words.push_back(arg);
  }
  const bool byPlace = !words.empty() && words[0] == "--by-place";
  if (byPlace) words.erase(words.begin());
  if (words.size() < 2 || (!byPlace && !args.empty() && args[0] == "--marks")) {
    std::fputs("usage: tavrelo-stage sheet OUT.png FILE... [--marks]\n"
               "       tavrelo-stage sheet --by-place DIR FILE... [--marks]\n",
               stderr);
    return 2;
  }
  const std::vector<std::string> files(words.begin() + 1, words.end());
  if (!byPlace) return WriteSheet(words[0], files, marks);
  std::map<std::string, std::vector<std::string>> places;
  for (const std::string& file : files) places[PlaceOf(file)].push_back(file);
  std::error_code ec;
  std::filesystem::create_directories(words[0], ec);
  for (const auto& [place, stages] : places) {
    const int status = WriteSheet((std::filesystem::path(words[0]) / (place + ".png")).string(), stages, marks);
    if (status != 0) return status;
  }
  return 0;
}

}  // namespace tools
