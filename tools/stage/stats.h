// How hard a stage is to play, in figures an author can compare from stage to stage.
#pragma once

#include <vector>

#include "Stage.h"
#include "image.h"
#include "stage_file.h"

namespace tools {

// A pixel a patch changes visibly: a channel moves by more than kVisibleChange (JPEG's own noise
// between a patch and its picture stays below it); strongly, by more than kStrongChange.
constexpr int kVisibleChange = 24;
constexpr int kStrongChange = 60;
// Areas of one colour smaller than this are the soft edges between others, not things to see.
constexpr int kSmallestArea = 12;

// How busy a picture is: its areas of one colour, what a player's eye has to go over. An area
// is a run of touching pixels (left, right, up, down) each within 8 of its neighbour in every
// channel, so that a smooth sky is one area and a flower on it another; areas of fewer than
// kSmallestArea pixels are not counted.
int CountColourAreas(const Image& picture);

struct DifferenceFigures {
  Rect rect;
  double percent = 0;  // of the picture's area
  int changed = 0;     // pixels the patch changes visibly
  int strong = 0;      // of which strongly
};

struct StageFigures {
  int areas = 0;
  std::vector<DifferenceFigures> differences;
};

StageFigures FiguresOf(const StageData& stage);

}  // namespace tools
