// Handwriting-like pen scripts for the virtual tablet: words of cursive loops along a ruled
// line, for the demo and the README pictures.
#pragma once
#include <string>

// One word of nLoops loops of this size starting at x0 on the line at nBase (client pixels), as
// one pen stroke; with bSwell the pressure swells and thins as a brush would write.
std::string LoopWord(int x0, int nBase, int nLoops, int nSize, bool bSwell);
// The width a word of nLoops loops of this size takes, with the gap to the next word.
int LoopWordWidth(int nLoops, int nSize);
