// Element records, references and the kind catalogue of the figure model.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace plandra {

// Element classes; input references may carry 100 + class.
enum ObjClass : int16_t {
  kClassNumber = 0,
  kClassPoint = 1,
  kClassLine = 2,
  kClassCircle = 3,
};

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Fixed field widths, in characters.
constexpr int kKindWidth = 5;
constexpr int kNumNameWidth = 40;
constexpr int kExprWidth = 70;
constexpr int kPtNameWidth = 40;
constexpr int kLnNameWidth = 10;
constexpr int kCirNameWidth = 10;

// The store holds at most this many steps and elements of one class.
constexpr int kMaxCount = 32767;

struct ObjRef {
  int16_t Class = 0;
  int16_t Index = 0;

  // A reference to element index of class cls; no count passes kMaxCount,
  // so the index always fits.
  static constexpr ObjRef Of(int cls, int index) {
    return {static_cast<int16_t>(cls), static_cast<int16_t>(index)};
  }
  bool IsEmpty() const { return Class % 100 == 0 && Index == 0; }
  int16_t BaseClass() const { return static_cast<int16_t>(Class % 100); }
  friend bool operator==(const ObjRef&, const ObjRef&) = default;
};

// Fixed-width texts are held without their blank padding: every reader trims
// trailing blanks, so padding in memory would only cost copies.
struct NumRec {
  double Value = 0;
  int16_t Exists = 0;
  std::string Name;
  int16_t NumFlag = 0;
  std::string Expr;
  int16_t NumShow = 0;  // 0 shown, 7 hidden
};

struct PtRec {
  double X = 0;
  double Y = 0;
  int16_t Color = 0;
  int16_t Style = 0;
  int16_t Exists = 0;
  int16_t Mark = 0;
  int16_t BoundMode = 0;
  int16_t HostClass = 0;
  int16_t HostIndex = 0;
  double Param = 0;
  std::string Name;
  int16_t EventKind = 0;
  std::string EventText;
};

struct LnRec {
  double X1 = 0;
  double Y1 = 0;
  double X2 = 0;
  double Y2 = 0;
  int16_t Exists = 0;
  int16_t LineKind = 0;
  double DX = 0;
  double DY = 0;
  int16_t Color = 0;
  int16_t Style = 0;
  std::string Name;
  int16_t Draggable = 0;
  int16_t Pt1Index = 0;
  int16_t Pt2Index = 0;
};

struct CirRec {
  double CX = 0;
  double CY = 0;
  double R = 0;
  int16_t Exists = 0;
  int16_t Color = 0;
  int16_t Style = 0;
  std::string Name;
};

// Every kind code of the catalogue, in catalogue order; kUnknown for any
// other text. Steps keep the decoded id beside their text so that the
// recompute pass never compares strings.
// clang-format off
enum class Kind : uint8_t {
  kUnknown,
  // points
  P1, P2, P3, P4, P5, P6, PC1, PC2, PC3, PN, PNEQ, PEXT,
  PT1, PT2, PT3, PT4, PT5, PT6, PT7, PT8, PT9, PNEW, PBND,
  POAdd, POSub, POMul, PODiv, POInv, POPow, PXY, PT62,
  // lines
  L1, L2, L3, L3Macro, L4, L5, L6, L7, L8, LPGN, LRGN, LH1, LH2, LH2Macro,
  LRO, LHRO, LT1, LT2, LT3,
  // circles
  C1, C2, C3, C4, C5, C6, C7, CRO, CT1, CT2, CT3,
  // numbers
  CALC, ND2P, NDPL, NPL2, NDPC, ND2L, NDLC, ND2C, NA3P, NA3Plus, NA3Star,
  NA2L, NPX, NPX2, NPY, NAR3, NARPlus, NAR4, NLC, NRC, NSIN, NCOS, NTAN,
  // drawn only
  XLOCS, X2JI,
  kCount
};
// clang-format on

// Slot class codes of the catalogue.
constexpr int16_t kSlotNone = 0;
constexpr int16_t kSlotPoint = 1;
constexpr int16_t kSlotLine = 2;
constexpr int16_t kSlotCircle = 3;
constexpr int16_t kSlotNumber = 100;
constexpr int16_t kSlotMacro = 200;

struct KindInfo {
  Kind Id;
  std::string_view Code;
  std::string_view DisplayName;  // Japanese; empty for kinds without one
  std::array<int16_t, 5> InClass;
  std::array<int16_t, 5> OutClass;
  std::array<int16_t, 5> ParentLineKind;  // -1: no requirement
  std::array<int16_t, 5> OutputStyle;     // -1: element default
};

// Looks a code up after trimming blanks on both sides; nullptr when unknown.
const KindInfo* FindKind(std::string_view code);
const KindInfo& KindInfoOf(Kind id);
Kind DecodeKind(std::string_view code);

// The Japanese display name of a kind code; empty for unknown and drawn-only
// codes. KindDisplayName (Multi_lang) passes it through the translation.
std::string_view KindJapaneseName(std::string_view code);

// Text helpers shared by the store and the file format.
std::string_view TrimRight(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view Trim(std::string_view text);
// A-Z lowered; every other byte kept, so UTF-8 passes unchanged.
std::string LowerAscii(std::string_view text);
// Cuts a UTF-8 text to at most width characters and drops trailing blanks.
std::string FixedText(std::string_view text, int width);
// The full-width form of a printable ASCII character ("_" gives "＿"), as
// UTF-8; the names take it where the file format reserves the character.
std::string FullWidth(char c);

}  // namespace plandra
