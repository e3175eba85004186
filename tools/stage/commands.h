// The commands of tavrelo-stage, each taking the words after its name.
#pragma once

#include <string>
#include <vector>

#include "Stage.h"
#include "stage_file.h"

namespace tools {

using Arguments = std::vector<std::string>;

int RunDecode(const Arguments& args);
int RunInspect(const Arguments& args);
int RunPack(const Arguments& args);
int RunUnpack(const Arguments& args);
int RunMake(const Arguments& args);
int RunPreview(const Arguments& args);
int RunSheet(const Arguments& args);

// The stage as a player sees it: the picture, a gap, the picture with every patch; `marks`
// outlines the differences in both.
Image PreviewOf(const StageData* stage, bool marks);

// Loads a stage as the game does; null, with a line on standard error, when the game cannot.
StageData* LoadStageOrExplain(const std::string& path);

// Writes a stage made of upright pictures, refusing one the game would refuse and warning of
// what an author should fix.
bool WriteStage(const std::string& out, const Image& picture,
                const std::vector<StageDifference>& differences, std::string* error);

}  // namespace tools
