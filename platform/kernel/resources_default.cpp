// The resource table of a program that has no resource script.
#include "resources.h"

namespace platform::resources {

__attribute__((weak)) const ResourceTable& ProgramResources() {
  static const ResourceTable empty{};
  return empty;
}

}  // namespace platform::resources
