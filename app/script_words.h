// The words replay scripts use for keys and menu commands, shared by the
// script parser and the SDL build's recorder so that both speak alike.
#pragma once
#include <cstdint>

// The script's name of a virtual key ("left", "z", "esc", ...), or nullptr.
const char* keyWord(uint32_t virtualKey);
// 1 and the virtual key when word names one.
int keyOfWord(const char* word, uint32_t* virtualKey);

// The script's name of a menu command ("reset", "exit", "volume", "ver"), or nullptr.
const char* menuWord(uint32_t command);
// 1 and the command when word names one.
int menuOfWord(const char* word, uint32_t* command);
