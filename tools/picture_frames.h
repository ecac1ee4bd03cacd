// Every picture the game loads and every rectangle it draws from them: the
// one table behind the contact sheet's outlines and the picture tests.
#pragma once

struct PictureInfo {
  const char* name;  // resource name
  int width, height;
  int depth;         // bits per pixel
  bool opaque;       // no black (see-through) pixel anywhere
};

struct FrameRect {
  int left, top, right, bottom;  // right and bottom exclusive
};

struct PictureFrame {
  const char* picture;
  FrameRect rect;
  const char* what;
};

// In the order the game loads them.
inline constexpr PictureInfo kPictures[] = {
    {"Loading", 64, 8, 1, false},
    {"Copy", 160, 16, 4, false},
    {"numWhite", 88, 24, 1, false},
    {"numRed", 88, 24, 1, false},
    {"GameOver", 64, 16, 4, false},
    {"Face", 320, 96, 4, false},
    {"Title", 32, 32, 4, false},
    {"Stone_s", 32, 12, 4, false},
    {"Effect_s", 90, 60, 4, false},
    {"turnNone_s", 64, 48, 4, true},
    {"turnWhite_s", 64, 48, 4, true},
    {"turnBlack_s", 64, 48, 4, true},
    {"Pass_s", 72, 12, 4, true},
    {"back_s", 160, 60, 4, true},
};
inline constexpr int kPictureCount = sizeof kPictures / sizeof kPictures[0];

// The pictures with words in them have an English twin of the same size,
// depth and frames, which the game loads in their place in English.
struct EnglishPicture {
  const char* japanese;
  const char* english;
};
inline constexpr EnglishPicture kEnglishPictures[] = {
    {"Copy", "en.Copy"},           {"Face", "en.Face"},           {"turnNone_s", "en.turnNone_s"},
    {"turnWhite_s", "en.turnWhite_s"}, {"turnBlack_s", "en.turnBlack_s"}, {"Pass_s", "en.Pass_s"},
};
inline constexpr int kEnglishPictureCount = sizeof kEnglishPictures / sizeof kEnglishPictures[0];

inline constexpr PictureFrame kPictureFrames[] = {
    {"Loading", {0, 0, 64, 8}, "the whole word"},
    {"Copy", {0, 0, 160, 16}, "the whole credit"},
    {"numWhite", {0, 0, 8, 16}, "tall 0"},
    {"numWhite", {8, 0, 16, 16}, "tall 1"},
    {"numWhite", {16, 0, 24, 16}, "tall 2"},
    {"numWhite", {24, 0, 32, 16}, "tall 3"},
    {"numWhite", {32, 0, 40, 16}, "tall 4"},
    {"numWhite", {40, 0, 48, 16}, "tall 5"},
    {"numWhite", {48, 0, 56, 16}, "tall 6"},
    {"numWhite", {56, 0, 64, 16}, "tall 7"},
    {"numWhite", {64, 0, 72, 16}, "tall 8"},
    {"numWhite", {72, 0, 80, 16}, "tall 9"},
    {"numWhite", {0, 16, 8, 24}, "short 0"},
    {"numWhite", {8, 16, 16, 24}, "short 1"},
    {"numWhite", {16, 16, 24, 24}, "short 2"},
    {"numWhite", {24, 16, 32, 24}, "short 3"},
    {"numWhite", {32, 16, 40, 24}, "short 4"},
    {"numWhite", {40, 16, 48, 24}, "short 5"},
    {"numWhite", {48, 16, 56, 24}, "short 6"},
    {"numWhite", {56, 16, 64, 24}, "short 7"},
    {"numWhite", {64, 16, 72, 24}, "short 8"},
    {"numWhite", {72, 16, 80, 24}, "short 9"},
    {"numWhite", {80, 0, 84, 8}, "point"},
    {"numWhite", {80, 16, 88, 24}, "minus"},
    {"numRed", {0, 0, 8, 16}, "tall 0"},
    {"numRed", {8, 0, 16, 16}, "tall 1"},
    {"numRed", {16, 0, 24, 16}, "tall 2"},
    {"numRed", {24, 0, 32, 16}, "tall 3"},
    {"numRed", {32, 0, 40, 16}, "tall 4"},
    {"numRed", {40, 0, 48, 16}, "tall 5"},
    {"numRed", {48, 0, 56, 16}, "tall 6"},
    {"numRed", {56, 0, 64, 16}, "tall 7"},
    {"numRed", {64, 0, 72, 16}, "tall 8"},
    {"numRed", {72, 0, 80, 16}, "tall 9"},
    {"numRed", {0, 16, 8, 24}, "short 0"},
    {"numRed", {8, 16, 16, 24}, "short 1"},
    {"numRed", {16, 16, 24, 24}, "short 2"},
    {"numRed", {24, 16, 32, 24}, "short 3"},
    {"numRed", {32, 16, 40, 24}, "short 4"},
    {"numRed", {40, 16, 48, 24}, "short 5"},
    {"numRed", {48, 16, 56, 24}, "short 6"},
    {"numRed", {56, 16, 64, 24}, "short 7"},
    {"numRed", {64, 16, 72, 24}, "short 8"},
    {"numRed", {72, 16, 80, 24}, "short 9"},
    {"numRed", {80, 0, 84, 8}, "point"},
    {"numRed", {80, 16, 88, 24}, "minus"},
    {"GameOver", {0, 0, 64, 16}, "lettering"},
    {"Face", {0, 0, 24, 32}, "face: go ahead A"},
    {"Face", {24, 0, 48, 32}, "face: go ahead B"},
    {"Face", {48, 0, 72, 32}, "face: so there A"},
    {"Face", {72, 0, 96, 32}, "face: so there B"},
    {"Face", {96, 0, 120, 32}, "face: hmm A"},
    {"Face", {120, 0, 144, 32}, "face: hmm B"},
    {"Face", {0, 32, 24, 64}, "face: here A"},
    {"Face", {24, 32, 48, 64}, "face: here B"},
    {"Face", {48, 32, 72, 64}, "face: you win A"},
    {"Face", {72, 32, 96, 64}, "face: you win B"},
    {"Face", {96, 32, 120, 64}, "face: I win A"},
    {"Face", {120, 32, 144, 64}, "face: I win B"},
    {"Face", {0, 64, 24, 96}, "face: draw A"},
    {"Face", {24, 64, 48, 96}, "face: draw B"},
    {"Face", {144, 0, 168, 24}, "figure: step 1"},
    {"Face", {168, 0, 192, 24}, "figure: step 2"},
    {"Face", {144, 24, 168, 48}, "figure: tumble 1"},
    {"Face", {168, 24, 192, 48}, "figure: tumble 2"},
    {"Face", {192, 24, 216, 48}, "figure: tumble 3"},
    {"Face", {216, 24, 240, 48}, "figure: tumble 4"},
    {"Face", {272, 0, 320, 8}, "caption: damn"},
    {"Face", {272, 8, 320, 16}, "caption: I lost"},
    {"Face", {272, 16, 320, 24}, "caption: you idiot"},
    {"Face", {272, 24, 320, 32}, "caption: scream"},
    {"Face", {272, 32, 320, 40}, "caption: congratulations"},
    {"Face", {272, 40, 320, 48}, "caption: play again"},
    {"Face", {272, 48, 320, 56}, "caption: thank you"},
    {"Face", {272, 56, 320, 64}, "caption: signature"},
    {"Face", {48, 72, 160, 96}, "end banner"},
    {"Title", {0, 0, 32, 32}, "emblem"},
    {"Stone_s", {0, 0, 6, 6}, "empty square"},
    {"Stone_s", {6, 0, 12, 6}, "white stone"},
    {"Stone_s", {12, 0, 18, 6}, "red stone"},
    {"Stone_s", {18, 0, 24, 6}, "diagonal marker"},
    {"Stone_s", {24, 0, 30, 6}, "square marker"},
    {"Stone_s", {0, 6, 6, 12}, "hover square"},
    {"Effect_s", {0, 0, 18, 18}, "ring 0"},
    {"Effect_s", {18, 0, 36, 18}, "ring 1"},
    {"Effect_s", {36, 0, 54, 18}, "ring 2"},
    {"Effect_s", {54, 0, 72, 18}, "ring 3"},
    {"Effect_s", {72, 0, 90, 18}, "ring 4"},
    {"Effect_s", {0, 18, 12, 30}, "small ring 0"},
    {"Effect_s", {12, 18, 24, 30}, "small ring 1"},
    {"Effect_s", {24, 18, 36, 30}, "small ring 2"},
    {"Effect_s", {36, 18, 48, 30}, "small ring 3"},
    {"Effect_s", {48, 18, 60, 30}, "small ring 4"},
    {"turnNone_s", {0, 0, 32, 48}, "end card"},
    {"turnNone_s", {32, 0, 64, 48}, "end card, lit"},
    {"turnWhite_s", {0, 0, 32, 48}, "white card"},
    {"turnWhite_s", {32, 0, 64, 48}, "white card, lit"},
    {"turnBlack_s", {0, 0, 32, 48}, "red card"},
    {"turnBlack_s", {32, 0, 64, 48}, "red card, lit"},
    {"Pass_s", {0, 0, 24, 12}, "normal"},
    {"Pass_s", {24, 0, 48, 12}, "hover"},
    {"Pass_s", {48, 0, 72, 12}, "disabled"},
    {"back_s", {0, 0, 160, 60}, "background"},
};
inline constexpr int kPictureFrameCount = sizeof kPictureFrames / sizeof kPictureFrames[0];
