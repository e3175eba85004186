// The general heap: the one place where the game's own modules take raw memory. Programs link
// GeneralHeap.cpp (malloc and free); the unit tests link a heap that can be told to refuse.
#pragma once

#include <stddef.h>

void* GeneralHeapAlloc(size_t size);
void GeneralHeapFree(void* block);
