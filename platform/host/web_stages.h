// The stage set in the browser, fetched stage by stage (web_stages.cpp).
#pragma once

namespace platform::host {

// Fills `folder` with an empty file for each stage named in the text file `list` (a name a
// line). Offline, only the stages the page has kept are listed, so that a game draws from them.
bool ListStages(const char* list, const char* folder);

}  // namespace platform::host
