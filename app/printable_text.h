// Text from outside (a script's words, a command line's values) as it may go
// to a terminal: nothing in it can move the cursor, clear the screen or
// change the colours.
#pragma once
#include <cstddef>
#include <string>

// Printable ASCII and whole UTF-8 characters stay as they are; control
// characters (C0, DEL and C1) become \xNN or \uNNNN, any byte that is not
// part of a valid UTF-8 character \xNN, and the backslash itself \\. Longer
// than limit bytes, the result is cut at a whole character and ends "...".
std::string printableText(const std::string& bytes, size_t limit);
