// The subcommands of pinwick-tool. Each returns the process exit status:
// 0 done, 1 failed at run time, 2 bad arguments.
#pragma once

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int runSelfplayCommand(int argc, char** argv);
int runReplayCommand(int argc, char** argv);
int runSoundsCommand(int argc, char** argv);
int runSheetCommand(int argc, char** argv);
