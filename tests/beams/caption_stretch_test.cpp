#include "beams/caption_stretch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// The chord boxes' stretch as it was first worked out: every step from 95 down, one at a time.
int StepByStep(int room, const std::function<int(int)>& widest) {
  int stretch = 0;
  for (int s = 100 - kCaptionStretchStep; widest(stretch) > room && s >= kNarrowestCaptionStretch;
       s -= kCaptionStretchStep)
    stretch = s;
  return stretch;
}

// A box of `fixed` pixels of mark and gap and a caption of `letters` glyphs of `advance` pixels
// each at the face's own width. A hinted face rounds each glyph's advance at a stretch; an
// unhinted one only the caption's whole width.
struct TFace {
  int Fixed;
  int Letters;
  double Advance;
  bool Hinted;
  int Width(int stretch) const {
    const double scale = stretch == 0 ? 1.0 : stretch / 100.0;
    if (!Hinted) return Fixed + static_cast<int>(std::lround(Letters * Advance * scale));
    return Fixed + Letters * static_cast<int>(std::lround(Advance * scale));
  }
};

TEST(CaptionStretch, EqualsTheStepByStepSearch) {
  const TFace faces[] = {{17, 9, 5.6, true},  {17, 9, 7.0, true},   {17, 9, 4.0, true},
                         {17, 12, 9.5, true}, {0, 10, 6.4, true},   {17, 3, 20.0, true},
                         {30, 9, 5.6, true},  {13, 14, 3.3, true},  {17, 9, 5.6, false},
                         {17, 12, 9.5, false}, {0, 10, 6.4, false}, {30, 9, 5.6, false}};
  for (const TFace& face : faces) {
    for (const int room : {20, 40, 50, 60, 66, 70, 80, 120}) {
      SCOPED_TRACE(testing::Message() << "fixed " << face.Fixed << " letters " << face.Letters
                                      << " advance " << face.Advance << " hinted " << face.Hinted
                                      << " room " << room);
      std::set<int> asked;
      const auto widest = [&](int stretch) {
        asked.insert(stretch);
        return face.Width(stretch);
      };
      const int got = CaptionStretch(room, face.Fixed, widest);
      EXPECT_EQ(got, StepByStep(room, [&](int s) { return face.Width(s); }));
      // Where the caption narrows in proportion the first guess is the answer or next to it:
      // the face as it is and two stretches are asked.
      if (!face.Hinted && room > face.Fixed && got > kNarrowestCaptionStretch) {
        EXPECT_LE(asked.size(), 3u);
      }
    }
  }
}

TEST(CaptionStretch, KeepsTheFaceWhenItFitsAndStopsAtTheNarrowest) {
  struct Case { int room; int natural; int expected; };
  for (const Case& c : {Case{66, 66, 0}, Case{66, 40, 0}, Case{66, 1000, kNarrowestCaptionStretch},
                        Case{10, 66, kNarrowestCaptionStretch}}) {
    SCOPED_TRACE(testing::Message() << "room " << c.room << " natural " << c.natural);
    int calls = 0;
    const auto widest = [&](int stretch) {
      ++calls;
      return stretch == 0 ? c.natural : c.natural * stretch / 100;
    };
    EXPECT_EQ(CaptionStretch(c.room, 17, widest), c.expected);
    if (c.expected == 0) {
      EXPECT_EQ(calls, 1);
    }
  }
}

}  // namespace
