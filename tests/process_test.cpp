// Child processes fed through a pipe: what the video encoder runs on.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/Process.h"
#include "support/TestSupport.h"

namespace {
std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

TEST(Process, ChildReceivesEveryByteWrittenAndItsStatusComesBack) {
  TTempDir dir;
  const std::string file = (dir / "out.bin").string();
  TChildProcess child;
  std::string error;
  ASSERT_TRUE(StartChild(child, {"sh", "-c", "cat > '" + file + "'; exit 3"}, error)) << error;
  std::string data(3 << 20, '\0');  // far beyond a pipe's buffer
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 % 251);
  EXPECT_TRUE(WriteToChild(child, data.data(), data.size()));
  EXPECT_EQ(FinishChild(child), 3);
  EXPECT_EQ(ReadText(file), data);
}

TEST(Process, ChildEndedBySignalReportsIt) {
  TChildProcess child;
  std::string error;
  ASSERT_TRUE(StartChild(child, {"sh", "-c", "kill -9 $$"}, error)) << error;
  EXPECT_EQ(FinishChild(child), 128 + 9);
}

TEST(Process, MissingProgramIsNamed) {
  TChildProcess child;
  std::string error;
  EXPECT_FALSE(StartChild(child, {"no-such-program-quarn"}, error));
  EXPECT_EQ(error, "no-such-program-quarn not found");
  EXPECT_FALSE(ProgramInPath("no-such-program-quarn"));
  EXPECT_TRUE(ProgramInPath("sh"));
  EXPECT_TRUE(ProgramInPath("/bin/sh"));
}

TEST(Process, PlainFileIsNoProgram) {
  TTempDir dir;
  WriteBytes(dir / "tool", {'#', '!'});
  EXPECT_FALSE(ProgramInPath((dir / "tool").string()));
  chmod((dir / "tool").c_str(), 0755);
  EXPECT_TRUE(ProgramInPath((dir / "tool").string()));
}

TEST(Process, WritingToAChildThatStoppedReadingFailsAndWeLiveOn) {
  TChildProcess child;
  std::string error;
  ASSERT_TRUE(StartChild(child, {"true"}, error)) << error;
  const std::string data(8 << 20, 'x');  // more than the pipe holds, so the write outlives the child
  EXPECT_FALSE(WriteToChild(child, data.data(), data.size())) << "no SIGPIPE, a failed write";
  EXPECT_EQ(FinishChild(child), 0);
  EXPECT_FALSE(WriteToChild(child, data.data(), 1)) << "input already closed";
}

TEST(Process, ChildHasItsOwnProcessGroupSoCtrlCSparesIt) {
  TChildProcess child;
  std::string error;
  ASSERT_TRUE(StartChild(child, {"cat"}, error)) << error;
  // Field 5 of /proc/PID/stat is the process group.
  std::istringstream stat(ReadText("/proc/" + std::to_string(child.Pid) + "/stat"));
  std::string pid, name, state;
  long group = 0;
  stat >> pid >> name >> state >> group >> group;
  EXPECT_EQ(group, child.Pid);
  EXPECT_NE(group, static_cast<long>(getpgrp()));
  KillChild(child);
  EXPECT_EQ(child.Pid, -1);
}
