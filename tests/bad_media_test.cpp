// Bad media: every file of data/ missing, empty, cut short, with flipped
// bits or claiming huge sizes, each run through the real driver headless:
// start-up, then frames in every pattern (and at every overlay of the
// Lakris scene) up to the demo's end. The demo shows its reader's message
// once and goes on, or ends at start-up with the file error, as the reader
// decided for those bytes; never a crash, a hang or a sanitizer report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "driver/QRN2Base.h"
#include "platform/Files.h"
#include "support/MediaDamage.h"
#include "support/TestSupport.h"
#include "sync/Sync.h"

namespace {
namespace fs = std::filesystem;

struct TCase {
  std::string File, Kind;
};

// Shown in the test's name.
void PrintTo(const TCase& c, std::ostream* out) { *out << c.File << ", " << c.Kind; }

std::vector<TCase> AllCases() {
  std::vector<TCase> cases;
  for (const std::string& file : DemoMediaFiles())
    for (const std::string& kind : DamageKinds(file)) cases.push_back({file, kind});
  return cases;
}

std::string CaseName(const testing::TestParamInfo<TCase>& info) {
  std::string name = info.param.File + "_" + info.param.Kind;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// The generated media the build wrote; DEMO_MEDIA_DIR may name others.
fs::path GoodMedia() {
  if (const char* dir = std::getenv("DEMO_MEDIA_DIR")) return dir;
#ifdef MEDIA_DATA_DIR
  return MEDIA_DATA_DIR;
#else
  return "data";
#endif
}

TMediaBytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return TMediaBytes(std::istreambuf_iterator<char>(in), {});
}

// Demo times that visit every pattern of the track and every overlay of the
// Lakris scene, then the frame past the end.
std::vector<double> FrameTimes(const TSync& track) {
  std::vector<double> times;
  double previous = 0;
  for (int p = 0; p <= 18; ++p) {
    times.push_back((previous + track.PatternEnds[p]) / 2);
    previous = track.PatternEnds[p];
  }
  for (double lakris : {1.0, 2.5, 5.0, 11.0, 15.0, 19.0, 23.0, 27.0, 32.0}) {
    const double t = track.PatternEnds[6] + lakris;
    if (t < track.PatternEnds[17]) times.push_back(t);
  }
  std::sort(times.begin(), times.end());
  times.push_back(track.PatternEnds[18] + 0.25);
  return times;
}

[[noreturn]] void Hung(int) {
  static const char text[] = "bad media: the demo hung\n";
  (void)!write(2, text, sizeof text - 1);
  _exit(3);
}

class BadMedia : public testing::TestWithParam<TCase> {};
}  // namespace

TEST_P(BadMedia, ReportedOnceAndTheDemoGoesOnOrStopsCleanly) {
  std::signal(SIGALRM, Hung);
  alarm(300);
  const TCase& c = GetParam();
  const fs::path good = GoodMedia();
  for (const std::string& file : DemoMediaFiles())
    ASSERT_TRUE(fs::exists(good / file)) << "no generated " << file << " in " << good;

  TTempDir dir(true);
  fs::copy(good, dir / "data", fs::copy_options::recursive);
  const std::optional<TMediaBytes> bytes = Damage(c.File, c.Kind, ReadAll(good / c.File));
  fs::remove(dir / "data" / c.File);
  if (bytes) WriteBytes(dir / "data" / c.File, *bytes);
  const TMediaVerdict expected = ExpectedVerdict(c.File, bytes);
  if (DamageIsFatal(c.Kind) && c.File != "test.snc" && c.File != "music.mp3") {
    EXPECT_FALSE(expected.Accepted()) << "the reader took a file that is not whole";
  }

  // The frames follow the good track; the demo follows whatever it read.
  TSync goodTrack, readTrack;
  const TMediaBytes goodSync = ReadAll(good / "test.snc");
  goodTrack.LoadFromBytes(goodSync.data(), goodSync.size());
  const TMediaBytes& sync = c.File == "test.snc" && bytes ? *bytes : goodSync;
  readTrack.LoadFromBytes(sync.data(), sync.size());

  TFakeCounter counter(1000000);
  TMessageCapture messages;
  try {
    ASSERT_TRUE(DemoStartup()) << "no window";
  } catch (const EInOutError& e) {  // main() shows it and ends the program
    std::printf("outcome: stops with \"%s\"\n", e.what());
    ASSERT_TRUE(expected.Stop) << "stopped at start-up: " << e.what();
    EXPECT_EQ(e.what(), *expected.Stop);
    EXPECT_EQ(messages.Messages(), expected.Messages);
    return;
  }
  EXPECT_FALSE(expected.Stop) << "expected the start-up to end with " << expected.Stop.value_or("");
  EXPECT_EQ(messages.Messages(), expected.Messages) << "at start-up";

  for (double t : FrameTimes(goodTrack)) {
    if (!DemoContinues()) break;
    TFakeCounter::SetSeconds(t);
    DemoRenderFrame();
    DemoEndFrame();
    readTrack.CurrentPattern(static_cast<float>(Driver.Time));
  }
  EXPECT_EQ(messages.Messages(), expected.Messages) << "nothing more while the demo runs";
  EXPECT_EQ(Driver.Track.Pattern, readTrack.Pattern);
  EXPECT_EQ(DemoContinues(), readTrack.Pattern < 19) << "ends after the last pattern, and only then";
  std::printf("outcome: %zu message(s)%s, runs to pattern %d%s\n", messages.Messages().size(),
              messages.Messages().empty() ? "" : (": \"" + messages.Messages()[0].second + "\"").c_str(),
              Driver.Track.Pattern, DemoContinues() ? " and on until Escape" : ", then ends");
  DemoShutdown();
}

INSTANTIATE_TEST_SUITE_P(EveryFile, BadMedia, testing::ValuesIn(AllCases()), CaseName);
