#include <gtest/gtest.h>

#include "figure/EventMark.h"
#include "figure/PDvar05.h"

namespace plandra::test {
namespace {

TEST(EventMarkTest, TheMarkerDecidesTheCodeAndTheTarget) {
  struct Case {
    std::string_view Name;
    int16_t Code;
    std::string_view Target;
  };
  const Case cases[] = {
      {"A", kEventNone, ""},
      {"A!Hello  ", kEventMessageBox, "Hello"},
      {"A!!Hello", kEventMessage, "Hello"},
      {"P!%pic.png", kEventPicture, "pic.png"},
      {"M!@notes", kEventMemo, "notes"},
      {"F!_next", kEventFigure, "next"},
      {"D!#doc.pdf", kEventDocument, "doc.pdf"},
      {"T!>link", kEventTextTarget, "link"},
      // Of several markers, the one tested last in the order !! !@ !# !> !_ !% wins.
      {"A!!x!@y", kEventMemo, "y"},
      {"A!%p!!m", kEventPicture, "p!!m"},
      {"A!_f!#d", kEventFigure, "f!#d"},
      // A name that begins with "!" is a hidden event point.
      {"!!Hidden", kEventMessage + kEventHidden, "Hidden"},
      {"  !@memo ", kEventMemo + kEventHidden, "memo"},
      {"!", kEventMessageBox + kEventHidden, ""},
      {"Ａ！", kEventNone, ""},  // the full-width sign is no marker
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EventKindOf(c.Name), c.Code) << c.Name;
    EXPECT_EQ(EventTargetOf(c.Name), c.Target) << c.Name;
  }
  EXPECT_EQ(EventMarker(kEventTextTarget), "!>");
  EXPECT_EQ(EventMarker(kEventMessageBox + kEventHidden), "!");
  EXPECT_EQ(EventMarker(kEventNone), "");
}

TEST(EventMarkTest, RenamingAPointRederivesItsEvent) {
  Figure fig;
  ResetFigure(fig, 20);
  SetElementName(fig, {kClassPoint, 1}, "A!!Hello");
  EXPECT_EQ(fig.PtTable[1].EventKind, kEventMessage);
  EXPECT_EQ(fig.PtTable[1].EventText, "Hello");
  SetElementName(fig, {kClassPoint, 1}, "A");
  EXPECT_EQ(fig.PtTable[1].EventKind, kEventNone);
  EXPECT_EQ(fig.PtTable[1].EventText, "");
  SetElementName(fig, {kClassPoint, 1}, "!_other");
  ClearElement(fig, {kClassPoint, 1});  // as an undo does
  EXPECT_EQ(fig.PtTable[1].EventKind, kEventNone);
}

}  // namespace
}  // namespace plandra::test
