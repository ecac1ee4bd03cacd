// What the command lines of pinwick and pinwick-tool share: numbers written
// plainly, file names that are not options, and how a complaint names the
// option and its value.
#pragma once
#include <string>

// A whole number in low..high written as plain digits: no sign, no spaces.
// Returns 0 when text is not one.
int parseOptionNumber(const char* text, int low, int high, int* value);

// What is wrong with the file name given to an option, or nullptr: it is
// empty, or it begins with '-' and is more likely a misplaced option than a
// file (./-name still names one). "-" itself is accepted: it stands for
// standard input or output on every option that takes a file.
const char* fileNameProblem(const char* name);

// A word of the command line in quotes, as it may go to a terminal.
std::string quotedWord(const char* word);
// "OPTION 'VALUE'", to begin a complaint about the value.
std::string optionAndValue(const char* option, const char* value);
// "unknown option 'WORD'".
std::string unknownOption(const char* word);
