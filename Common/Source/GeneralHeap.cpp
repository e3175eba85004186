#include "GeneralHeap.h"

#include <stdlib.h>

void* GeneralHeapAlloc(size_t size) { return malloc(size); }

void GeneralHeapFree(void* block) { free(block); }
