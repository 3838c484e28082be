// The sync editor's model: moved ends keep the track playable, snapping
// finds the beats, undo and redo walk the edits, and a save rewrites only
// the bytes of the ends that changed.
#include <gtest/gtest.h>

#include <bit>

#include "dev/TrackEdit.h"

namespace {
TTrackEnds EvenEnds(float step) {
  TTrackEnds ends;
  for (int p = 0; p < EditedEnds; ++p) ends[p] = step * (p + 1);
  return ends;
}

std::uint32_t BitsAt(const std::vector<std::uint8_t>& bytes, int index) {
  std::uint32_t bits = 0;
  for (int k = 0; k < 4; ++k) bits |= std::uint32_t{bytes[index * 4 + k]} << (8 * k);
  return bits;
}

void PutFloat(std::vector<std::uint8_t>& bytes, int index, std::uint32_t bits) {
  for (int k = 0; k < 4; ++k) bytes[index * 4 + k] = static_cast<std::uint8_t>(bits >> (8 * k));
}
}  // namespace

TEST(TrackEdit, AMovedEndTakesTheLaterPatternsAlongUnlessOnlyTheBoundaryMoves) {
  const TTrackEnds ends = EvenEnds(2);
  const TTrackEnds along = MoveEnd(ends, 5, 13, TEndMove::KeepLengths);
  const TTrackEnds boundary = MoveEnd(ends, 5, 13, TEndMove::BoundaryOnly);
  for (int p = 0; p < EditedEnds; ++p) {
    EXPECT_EQ(along[p], p < 5 ? ends[p] : ends[p] + 1) << p;
    EXPECT_EQ(boundary[p], p == 5 ? 13 : ends[p]) << p;
  }
  EXPECT_TRUE(SameEnds(TapEnd(ends, 5, 13), along));
}

TEST(TrackEdit, ADragPastANeighbourStopsAtTheLimitAndStaysPlayable) {
  const TTrackEnds ends = EvenEnds(2);
  const TTrackEnds early = MoveEnd(ends, 5, 3, TEndMove::KeepLengths);
  EXPECT_FLOAT_EQ(early[5], 10 + MinPatternLength);
  EXPECT_FLOAT_EQ(early[18] - early[5], ends[18] - ends[5]);
  EXPECT_TRUE(Playable(early));
  const TTrackEnds late = MoveEnd(ends, 5, 30, TEndMove::BoundaryOnly);
  EXPECT_FLOAT_EQ(late[5], 14 - MinPatternLength);
  EXPECT_TRUE(Playable(late));
  EXPECT_FLOAT_EQ(MoveEnd(ends, 0, -4, TEndMove::BoundaryOnly)[0], MinPatternLength);
  EXPECT_TRUE(Playable(MoveEnd(ends, 18, 1e30f, TEndMove::KeepLengths)));
}

TEST(TrackEdit, SnappingLandsOnTheBeatsFromTheFirstOn) {
  const TBeatGrid grid{120, 0.3f};
  EXPECT_FLOAT_EQ(SnapToBeat(grid, 1.04f), 0.8f);
  EXPECT_FLOAT_EQ(SnapToBeat(grid, 1.06f), 1.3f);
  EXPECT_FLOAT_EQ(SnapToBeat(grid, 100.74f), 100.8f);
  EXPECT_FLOAT_EQ(SnapToBeat(grid, -2), 0.3f);
  const std::vector<float> beats = BeatsBetween(grid, 0, 1.8f);
  ASSERT_EQ(beats.size(), 4u);
  EXPECT_FLOAT_EQ(beats[0], 0.3f);
  EXPECT_FLOAT_EQ(beats[3], 1.8f);
  EXPECT_EQ(SnapToBeat(TBeatGrid{0, 0.3f}, 1.04f), 1.04f);
}

TEST(TrackEdit, UndoAndRedoWalkTheEditsAndANewEditDropsTheRedos) {
  const TTrackEnds loaded = EvenEnds(2);
  const TTrackEnds a = MoveEnd(loaded, 3, 7, TEndMove::KeepLengths);
  const TTrackEnds b = MoveEnd(a, 9, 21, TEndMove::BoundaryOnly);
  TEditHistory history = Edit(Edit(NewHistory(loaded), a), b);
  EXPECT_FALSE(CanRedo(history));
  history = Redo(Undo(Undo(history)));
  EXPECT_TRUE(SameEnds(CurrentEnds(history), a));
  const TTrackEnds c = MoveEnd(a, 0, 1, TEndMove::KeepLengths);
  history = Edit(Edit(history, c), c);  // the second changes nothing
  EXPECT_FALSE(CanRedo(history));
  history = Undo(history);
  EXPECT_TRUE(SameEnds(CurrentEnds(history), a));
  history = Undo(Undo(history));
  EXPECT_TRUE(SameEnds(CurrentEnds(history), loaded));
  EXPECT_FALSE(CanUndo(history));
}

TEST(TrackEdit, UnsavedEditsAreThoseTheFileDoesNotHold) {
  const TTrackEnds loaded = EvenEnds(2);
  TEditHistory history = NewHistory(loaded);
  EXPECT_FALSE(HasUnsavedEdits(history));
  history = Edit(history, MoveEnd(loaded, 4, 9.5f, TEndMove::KeepLengths));
  EXPECT_TRUE(HasUnsavedEdits(history));
  EXPECT_FALSE(HasUnsavedEdits(Undo(history)));
  history = MarkSaved(history);
  EXPECT_FALSE(HasUnsavedEdits(history));
  EXPECT_TRUE(HasUnsavedEdits(Undo(history)));  // the file now holds the edit
}

TEST(TrackEdit, ASaveRewritesOnlyTheChangedEndsAndGrowsAShortFileOnlyAsFarAsNeeded) {
  std::vector<std::uint8_t> file(SyncFileSize + 40);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 37 + 11);
  PutFloat(file, 3, 0x7fa01234u);  // a signalling NaN: a trip through double would quiet it
  PutFloat(file, 4, 0x80000000u);  // -0
  TTrackEnds ends;
  for (int p = 0; p < EditedEnds; ++p) ends[p] = std::bit_cast<float>(BitsAt(file, p));
  EXPECT_EQ(PatchedTrackBytes(file, ends), file);
  ends[7] = 42.5f;
  std::vector<std::uint8_t> expected = file;
  PutFloat(expected, 7, std::bit_cast<std::uint32_t>(42.5f));
  EXPECT_EQ(PatchedTrackBytes(file, ends), expected);

  // 30 bytes: end 7 is half there, the rest are zero as loaded.
  const std::vector<std::uint8_t> shortFile(file.begin(), file.begin() + 30);
  TTrackEnds loaded = ends;
  loaded[7] = std::bit_cast<float>(BitsAt(file, 7) & 0xffffu);
  for (int p = 8; p < EditedEnds; ++p) loaded[p] = 0;
  EXPECT_EQ(PatchedTrackBytes(shortFile, loaded), shortFile);
  loaded[9] = 50;
  expected.assign(shortFile.begin(), shortFile.end());
  expected.resize(40, 0);
  PutFloat(expected, 9, std::bit_cast<std::uint32_t>(50.0f));
  EXPECT_EQ(PatchedTrackBytes(shortFile, loaded), expected);
}
