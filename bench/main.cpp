// The benchmarks, each reported as a ratio against its baseline measured in the same run.
#include "ratio_report.h"

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {
                                  {"BM_JpegToBmp", "BM_LibjpegToBuffer", 1.3},
                                  {"BM_LoadStage", "BM_LibjpegStageStreams", 1.5},
                                  {"BM_PaintFrame", "BM_MemcpyFrameBytes", 4.0},
                                  {"BM_SetUpAndPaintMedium", "BM_LoadStage", 1.5},
                                  {"BM_SetUpAndPaintDifficult", "BM_LoadStage", 1.5},
                                  // The set's thousand files cost no more than twice in
                                  // proportion to the earlier 64 (one stat a file and a
                                  // listing each way, as the game lists them twice).
                                  {"BM_CatalogueOfTheSet", "BM_CatalogueOfTheEarlierSet", 32.0},
                              });
}
