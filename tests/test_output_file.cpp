// The output rules: what each kind of target gets, that links planted by
// someone else are left alone, and that a failure says why and leaves
// nothing behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "host/output_file.h"

namespace {

namespace fs = std::filesystem;

struct ScratchDir {
  std::string path;
  ScratchDir() {
    char pattern[] = "/tmp/pinwick-output-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~ScratchDir() { fs::remove_all(path); }
  std::string operator/(const char* name) const { return path + "/" + name; }
  // Every name in the folder, so that a temporary left behind shows.
  std::string names() const {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) found.push_back(entry.path().filename());
    std::sort(found.begin(), found.end());
    std::string all;
    for (const std::string& name : found) all += name + " ";
    return all;
  }
};

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file put there by the test, or by someone else.
void plant(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

int writeWhole(const std::string& path, const std::string& text) {
  return writeWholeFile(path.c_str(), text.data(), text.size());
}

mode_t modeOf(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

TEST(WholeFile, ReplacesTheNameWithANewFileWithThePermissionsOfAPlainCreate) {
  ScratchDir dir;
  const std::string path = dir / "shot.png";
  const mode_t mask = umask(027);
  EXPECT_EQ(writeWhole(path, "first"), 0);
  umask(mask);
  EXPECT_EQ(modeOf(path) & 0777, 0640u);
  // A second name for the old file keeps the old bytes: the new file took
  // the name, and nothing was written through the old one.
  ASSERT_EQ(link(path.c_str(), (dir / "kept").c_str()), 0);
  EXPECT_EQ(writeWhole(path, "second"), 0);
  EXPECT_EQ(readText(path), "second");
  EXPECT_EQ(readText(dir / "kept"), "first");
  EXPECT_EQ(dir.names(), "kept shot.png ");
}

TEST(WholeFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  ScratchDir dir;
  const std::string path = dir / "sound1.wav";
  plant(path, "old");
  // A file-size limit makes the temporary's write fail part-way.
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 4;
  signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int why = writeWhole(path, "longer than four bytes");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(why, EFBIG);
  EXPECT_EQ(readText(path), "old");
  EXPECT_EQ(dir.names(), "sound1.wav ");

  EXPECT_EQ(writeWhole(dir / "no/such/folder.png", "x"), ENOENT);
  EXPECT_EQ(dir.names(), "sound1.wav ");
}

TEST(Outputs, LinksPlantedByOthersAreNeitherFollowedNorReplaced) {
  ScratchDir dir;
  const std::string victim = dir / "victim";
  plant(victim, "mine");
  ASSERT_EQ(symlink(victim.c_str(), (dir / "shot.png.part").c_str()), 0);
  ASSERT_EQ(symlink(victim.c_str(), (dir / "shot.png").c_str()), 0);
  EXPECT_EQ(writeWhole(dir / "shot.png", "theirs"), kOutputIsLink);
  std::FILE* file = nullptr;
  EXPECT_EQ(openOutputStream((dir / "shot.png").c_str(), &file), kOutputIsLink);
  EXPECT_EQ(file, nullptr);
  EXPECT_STREQ(outputFailureText(kOutputIsLink), "is a symbolic link; Pinwick writes no file through a link");
  EXPECT_EQ(readText(victim), "mine");
  EXPECT_TRUE(S_ISLNK(modeOf(dir / "shot.png")));
  EXPECT_TRUE(S_ISLNK(modeOf(dir / "shot.png.part")));
  EXPECT_EQ(dir.names(), "shot.png shot.png.part victim ");
}

// A character device to write to. Root could replace the system's own
// /dev/null or /dev/full should a rule break, so root writes to nodes of its
// own; "" when none can be made or opened (a folder mounted nodev).
std::string deviceNode(const ScratchDir& dir, const char* name, unsigned minor) {
  if (geteuid() != 0) return std::string("/dev/") + name;
  const std::string path = dir / name;
  if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) return "";
  const int fd = open(path.c_str(), O_WRONLY);
  if (fd < 0) return "";
  close(fd);
  return path;
}

// Lets a reader still waiting in open go, should nothing have written to
// the FIFO (a broken rule replaced it), so that the test fails and not hangs.
void releaseReader(const std::string& fifo) {
  const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) close(fd);
}

TEST(Outputs, FifosAndDevicesAreWrittenStraightThroughAndKept) {
  ScratchDir dir;
  const std::string fifo = dir / "fifo", other = dir / "other-fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(other.c_str(), 0600), 0);
  ASSERT_EQ(link(fifo.c_str(), (dir / "fifo-kept").c_str()), 0);
  ASSERT_EQ(link(other.c_str(), (dir / "other-kept").c_str()), 0);
  ASSERT_EQ(symlink(other.c_str(), (dir / "to-fifo").c_str()), 0);
  std::string heard, heardOther;
  std::thread reader([&] { heard = readText(fifo); });
  std::thread otherReader([&] { heardOther = readText(other); });
  EXPECT_EQ(writeWhole(fifo, "whole"), 0);
  std::FILE* stream = nullptr;
  EXPECT_EQ(openOutputStream((dir / "to-fifo").c_str(), &stream), 0);  // reached through a link
  if (stream != nullptr) {
    std::fputs("stream", stream);
    EXPECT_EQ(finishOutputStream(stream), 0);
  }
  releaseReader(dir / "fifo-kept");
  releaseReader(dir / "other-kept");
  reader.join();
  otherReader.join();
  EXPECT_EQ(heard, "whole");
  EXPECT_EQ(heardOther, "stream");
  EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));
  EXPECT_TRUE(S_ISFIFO(modeOf(other)));

  const std::string null = deviceNode(dir, "null", 3);
  if (null.empty()) GTEST_SKIP() << "no device node can be made here";
  EXPECT_EQ(writeWhole(null, "gone"), 0);
  ASSERT_EQ(openOutputStream(null.c_str(), &stream), 0);
  EXPECT_EQ(finishOutputStream(stream), 0);
  EXPECT_TRUE(S_ISCHR(modeOf(null)));
}

TEST(Outputs, DirectoriesAndSocketsAreRefusedWithAReason) {
  ScratchDir dir;
  const std::string folder = dir / "taken.wav";
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  EXPECT_EQ(writeWhole(folder, "x"), kOutputIsDirectory);
  std::FILE* stream = nullptr;
  EXPECT_EQ(openOutputStream(folder.c_str(), &stream), kOutputIsDirectory);
  EXPECT_STREQ(outputFailureText(kOutputIsDirectory), "is a directory");

  const std::string socketPath = dir / "socket";
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(writeWhole(socketPath, "x"), kOutputWrongKind);
  EXPECT_EQ(openOutputStream(socketPath.c_str(), &stream), kOutputWrongKind);
  close(listener);
  EXPECT_TRUE(S_ISSOCK(modeOf(socketPath)));
  EXPECT_EQ(dir.names(), "socket taken.wav ");
}

TEST(Outputs, AFullDiskIsReportedByName) {
  ScratchDir dir;
  const std::string full = deviceNode(dir, "full", 7);
  if (full.empty()) GTEST_SKIP() << "no device node can be made here";
  EXPECT_EQ(writeWhole(full, "x"), ENOSPC);
  EXPECT_TRUE(S_ISCHR(modeOf(full)));
  std::FILE* stream = nullptr;
  ASSERT_EQ(openOutputStream(full.c_str(), &stream), 0);
  std::fputs("a line that stays in the buffer\n", stream);
  EXPECT_EQ(outputStreamError(stream), 0);
  std::fflush(stream);
  EXPECT_EQ(outputStreamError(stream), ENOSPC);
  EXPECT_NE(finishOutputStream(stream), 0);
  ASSERT_EQ(openOutputStream(full.c_str(), &stream), 0);
  std::fputs("the last line\n", stream);
  EXPECT_EQ(finishOutputStream(stream), ENOSPC);
}

TEST(Outputs, TwoThatNameOneFileAreFound) {
  ScratchDir dir;
  ASSERT_EQ(chdir(dir.path.c_str()), 0);
  plant("old", "x");
  ASSERT_EQ(link("old", "also-old"), 0);
  auto distinct = [](const char* a, const char* b) {
    const NamedOutput outputs[] = {{"--trace", a}, {"--frames", nullptr}, {"--audio", b}};
    testing::internal::CaptureStderr();
    const int result = outputsAreDistinct("pinwick", outputs, 3);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.empty(), result == 1) << said;
    return result;
  };
  EXPECT_EQ(distinct("new", "./new"), 0);
  EXPECT_EQ(distinct("old", "also-old"), 0);
  EXPECT_EQ(distinct("-", "-"), 0);
  EXPECT_EQ(distinct("new", "old"), 1);
  EXPECT_EQ(distinct("/dev/null", "/dev/null"), 1);  // nothing to spoil there
  ASSERT_EQ(chdir("/"), 0);
}

}  // namespace
