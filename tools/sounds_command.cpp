// pinwick-tool sounds DIR: the game's eight sounds as WAV files.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "host/output_file.h"
#include "sound/bank.h"
#include "sound/voices.h"
#include "sound/wav_file.h"
#include "tools/tool_commands.h"

namespace {
const char kSoundsUsage[] = "usage: pinwick-tool sounds DIR\n";

int usageError(const std::string& what) {
  std::fprintf(stderr, "pinwick-tool sounds: %s\n%s", what.c_str(), kSoundsUsage);
  return kExitUsage;
}

std::string soundPath(const std::string& directory, int slot) {
  std::string path = directory;
  if (path.back() != '/') path += '/';
  return path + "sound" + std::to_string(slot) + ".wav";
}
}  // namespace

int runSoundsCommand(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    std::fputs(kSoundsUsage, stdout);
    return kExitOk;
  }
  if (argc != 1) return usageError(argc == 0 ? "no directory given" : "one directory only");
  // Options look like this; a directory called so can be given as ./-name.
  if (argv[0][0] == '-') return usageError(unknownOption(argv[0]));
  if (argv[0][0] == '\0') return usageError("the directory name is empty");

  const std::string directory = argv[0];
  struct stat info;
  if (stat(directory.c_str(), &info) != 0) {
    std::fprintf(stderr, "pinwick-tool sounds: cannot write into '%s': %s\n", directory.c_str(), std::strerror(errno));
    return kExitFailed;
  }
  if (!S_ISDIR(info.st_mode)) {
    std::fprintf(stderr, "pinwick-tool sounds: cannot write into '%s': not a directory\n", directory.c_str());
    return kExitFailed;
  }

  std::vector<uint8_t> samples, scratch;
  for (const SoundRun& run : kShippedSounds) {
    const VoiceDef* voices = kShippedVoices + run.firstVoice;
    const int length = soundLength(voices, run.voiceCount);
    samples.assign(static_cast<size_t>(length), 0);
    scratch.assign(static_cast<size_t>(length), 0);
    mixSound(voices, run.voiceCount, samples.data(), scratch.data());

    const std::string path = soundPath(directory, run.slot);
    const std::vector<uint8_t> wav = buildWavFile(samples.data(), samples.size());
    if (int why = writeWholeFile(path.c_str(), wav.data(), wav.size())) {
      std::fprintf(stderr, "pinwick-tool sounds: cannot write '%s': %s; sound%d.wav to sound%d.wav not written\n",
                   path.c_str(), outputFailureText(why), run.slot, kShippedSounds[kShippedSoundCount - 1].slot);
      return kExitFailed;
    }
    std::printf("wrote %s (%d samples)\n", path.c_str(), length);
  }
  if (int why = finishOutputStream(stdout)) {
    reportOutputFailure("pinwick-tool sounds", "-", why);
    return kExitFailed;
  }
  return kExitOk;
}
