#include "figure/PDtype05.h"

#include <algorithm>

namespace plandra {
namespace {

constexpr int16_t P = kSlotPoint;
constexpr int16_t L = kSlotLine;
constexpr int16_t K = kSlotCircle;
constexpr int16_t N = kSlotNumber;
constexpr int16_t M = kSlotMacro;
constexpr std::array<int16_t, 5> kNone{0, 0, 0, 0, 0};
constexpr std::array<int16_t, 5> kFree{-1, -1, -1, -1, -1};
constexpr std::array<int16_t, 5> kMark1{1, -1, -1, -1, -1};
constexpr std::array<int16_t, 5> kMark1Both{1, 1, -1, -1, -1};
constexpr std::array<int16_t, 5> kHalfLine{2, -1, -1, -1, -1};
constexpr std::array<int16_t, 5> kSegment1{1, -1, -1, -1, -1};
constexpr std::array<int16_t, 5> kSegment2{-1, 1, -1, -1, -1};

using S = std::array<int16_t, 5>;

// The catalogue, in the order of Kind.
constexpr KindInfo kKinds[] = {
    {Kind::kUnknown, "", "", kNone, kNone, kFree, kFree},
    {Kind::P1, "P1", "三角形の外心", S{P, P, P}, S{P}, kFree, kMark1},
    {Kind::P2, "P2", "三角形の内心", S{P, P, P}, S{P}, kFree, kMark1},
    {Kind::P3, "P3", "三角形の重心", S{P, P, P}, S{P}, kFree, kMark1},
    {Kind::P4, "P4", "三角形の垂心", S{P, P, P}, S{P}, kFree, kMark1},
    {Kind::P5, "P5", "三角形の一傍心", S{P, P, P}, S{P}, kFree, kMark1},
    {Kind::P6, "P6", "三角形の九点円の中心", S{P, P, P}, S{P}, kFree, kMark1},
    {Kind::PC1, "PC1", "交点（２直線）", S{L, L}, S{P}, kFree, kMark1},
    {Kind::PC2, "PC2", "交点（直線と円）", S{L, K}, S{P, P}, kFree, kMark1Both},
    {Kind::PC3, "PC3", "交点（２円）", S{K, K}, S{P, P}, kFree, kMark1Both},
    {Kind::PN, "PN", "内分・外分", S{P, P, N, N}, S{P}, kFree, kMark1},
    {Kind::PNEQ, "PNEQ", "ｎ等分", S{P, P, N, M}, kNone, kFree, kMark1},
    {Kind::PEXT, "PEXT", "２点からの延長", S{P, P, N}, S{P}, kFree, kMark1},
    {Kind::PT1, "PT1", "点の回転", S{P, P, N}, S{P}, kFree, kMark1},
    {Kind::PT2, "PT2", "点の線対称移動", S{P, L}, S{P}, kFree, kMark1},
    {Kind::PT3, "PT3", "点の点対称移動", S{P, P}, S{P}, kFree, kMark1},
    {Kind::PT4, "PT4", "点の円に関する反転", S{P, K}, S{P}, kFree, kMark1},
    {Kind::PT5, "PT5", "１次変換", S{P, P, P, P, P}, S{P, N, N, N, N}, kFree, kMark1},
    {Kind::PT6, "PT6", "アフィン変換", S{P, P, P, P, P}, S{P, N, N, N, N}, kFree, kFree},
    {Kind::PT7, "PT7", "射影変換", S{P, P, P, P, P}, S{P, N, N, N, N}, kFree, kFree},
    {Kind::PT8, "PT8", "点の平行移動", S{P, L}, S{P}, kSegment2, kMark1},
    {Kind::PT9, "PT9", "極", S{L, K}, S{P}, kFree, kMark1},
    {Kind::PNEW, "PNEW", "新しい点を取る", kNone, S{P}, kFree, kFree},
    {Kind::PBND, "PBND", "図形上に点を取る", kNone, S{P}, kFree, kFree},
    {Kind::POAdd, "PO+", "(複素数としての)和", S{P, P}, S{P}, kFree, kMark1},
    {Kind::POSub, "PO-", "(複素数としての)差", S{P, P}, S{P}, kFree, kMark1},
    {Kind::POMul, "PO*", "(複素数としての)積", S{P, P}, S{P}, kFree, kMark1},
    {Kind::PODiv, "PO/", "(複素数としての)商", S{P, P}, S{P}, kFree, kMark1},
    {Kind::POInv, "PO-1", "(複素数としての)逆数", S{P}, S{P}, kFree, kMark1},
    {Kind::POPow, "PO^", "(複素数としての)巾(べき)", S{P, N}, S{P}, kFree, kMark1},
    {Kind::PXY, "PXY", "x,y座標から点を作る", S{N, N}, S{P}, kFree, kMark1},
    {Kind::PT62, "PT62", "", kNone, kNone, kFree, kFree},
    {Kind::L1, "L1", "２点を結ぶ", S{P, P}, S{L}, kFree, kFree},
    {Kind::L2, "L2", "平行線", S{L, P}, S{L}, kFree, kFree},
    {Kind::L3, "L3", "垂線（とその足）", S{L, P}, S{L, P}, kFree, kFree},
    {Kind::L3Macro, "L3+", "垂線とその足(マクロ)", S{L, P, M}, kNone, kFree, kFree},
    {Kind::L4, "L4", "垂直二等分線", S{L}, S{L}, kSegment1, kFree},
    {Kind::L5, "L5", "円の接線（１点を通る）", S{P, K}, S{L, L}, kFree, kFree},
    {Kind::L6, "L6", "２円の共通外接線", S{K, K}, S{L, L}, kFree, kFree},
    {Kind::L7, "L7", "２円の共通内接線", S{K, K}, S{L, L}, kFree, kFree},
    {Kind::L8, "L8", "極線", S{P, K}, S{L}, kFree, kFree},
    {Kind::LPGN, "LPGN", "多角形", S{N, M}, kNone, kFree, kFree},
    {Kind::LRGN, "LRGN", "正多角形(一辺とする2点)", S{N, P, P, M}, kNone, kFree, kFree},
    {Kind::LH1, "LH1", "角の２等分線(3点)", S{P, P, P}, S{L}, kFree, kHalfLine},
    {Kind::LH2, "LH2", "角のｎ等分線(3点と n(等分)の中の m 番目[0->すべて]を入力)",
     S{P, P, P, N, N}, S{L}, kFree, kFree},
    {Kind::LH2Macro, "LH2+", "角のｎ等分線(マクロ)", S{P, P, P, N, M}, kNone, kFree, kFree},
    {Kind::LRO, "LRO", "直線の回転移動", S{L, P, N}, S{L}, kFree, kFree},
    {Kind::LHRO, "LHRO", "半直線の回転移動", S{L, N}, S{L}, kFree, kHalfLine},
    {Kind::LT1, "LT1", "直線の線対称移動", S{L, L}, S{L}, kFree, kFree},
    {Kind::LT2, "LT2", "直線の点対称移動", S{L, P}, S{L}, kFree, kFree},
    {Kind::LT3, "LT3", "直線の平行移動", S{L, L}, S{L}, kSegment2, kFree},
    {Kind::C1, "C1", "円（中心と半径）", S{P, N}, S{K}, kFree, kFree},
    {Kind::C2, "C2", "円（中心と一点）", S{P, P}, S{K}, kFree, kFree},
    {Kind::C3, "C3", "円（３点）", S{P, P, P}, S{K}, kFree, kFree},
    {Kind::C4, "C4", "円（直径）", S{L}, S{K}, kFree, kFree},
    {Kind::C5, "C5", "内接円", S{P, P, P}, S{K}, kFree, kFree},
    {Kind::C6, "C6", "一傍接円", S{P, P, P}, S{K}, kFree, kFree},
    {Kind::C7, "C7", "九点円", S{P, P, P}, S{K}, kFree, kFree},
    {Kind::CRO, "CRO", "円の回転移動", S{K, P, N}, S{K}, kFree, kFree},
    {Kind::CT1, "CT1", "円の線対称移動", S{K, L}, S{K}, kFree, kFree},
    {Kind::CT2, "CT2", "円の点対称移動", S{K, P}, S{K}, kFree, kFree},
    {Kind::CT3, "CT3", "円の平行移動", S{K, L}, S{K}, kSegment2, kFree},
    {Kind::CALC, "CALC", "数式計算", kNone, S{N}, kFree, kFree},
    {Kind::ND2P, "ND2P", "距離(2点)", S{P, P}, S{N}, kFree, kFree},
    {Kind::NDPL, "NDPL", "距離(点,直線)", S{P, L}, S{N}, kFree, kFree},
    {Kind::NPL2, "NPL2", "距離(点,直線/+-)", S{P, L}, S{N}, kFree, kFree},
    {Kind::NDPC, "NDPC", "距離(点,円)", S{P, K}, S{N}, kFree, kFree},
    {Kind::ND2L, "ND2L", "距離(2直線)", S{L, L}, S{N}, kFree, kFree},
    {Kind::NDLC, "NDLC", "距離(直線,円)", S{L, K}, S{N}, kFree, kFree},
    {Kind::ND2C, "ND2C", "距離(2円)", S{K, K}, S{N}, kFree, kFree},
    {Kind::NA3P, "NA3P", "角度(3点/0-180)", S{P, P, P}, S{N}, kFree, kFree},
    {Kind::NA3Plus, "NA3+", "角度(3点/+-180)", S{P, P, P}, S{N}, kFree, kFree},
    {Kind::NA3Star, "NA3*", "角度(3点/0-360)", S{P, P, P}, S{N}, kFree, kFree},
    {Kind::NA2L, "NA2L", "角度(2直線)", S{L, L}, S{N}, kFree, kFree},
    {Kind::NPX, "NPX", "x座標", S{P}, S{N}, kFree, kFree},
    {Kind::NPX2, "NPX2", "x座標", S{P}, S{N}, kFree, kFree},
    {Kind::NPY, "NPY", "y座標", S{P}, S{N}, kFree, kFree},
    {Kind::NAR3, "NAR3", "面積(3角形)", S{P, P, P}, S{N}, kFree, kFree},
    {Kind::NARPlus, "NAR+", "面積(3角形,+/-)", S{P, P, P}, S{N}, kFree, kFree},
    {Kind::NAR4, "NAR4", "面積(4角形)", S{P, P, P, P}, S{N}, kFree, kFree},
    {Kind::NLC, "NLC", "円周", S{K}, S{N}, kFree, kFree},
    {Kind::NRC, "NRC", "円の半径", S{K}, S{N}, kFree, kFree},
    {Kind::NSIN, "NSIN", "SIN", S{N}, S{N}, kFree, kFree},
    {Kind::NCOS, "NCOS", "COS", S{N}, S{N}, kFree, kFree},
    {Kind::NTAN, "NTAN", "TAN", S{N}, S{N}, kFree, kFree},
    {Kind::XLOCS, "XLOCS", "", S{P, P}, kNone, kFree, kFree},
    {Kind::X2JI, "X2JI", "", S{P, P, P, P, P}, kNone, kFree, kFree},
};

static_assert(std::size(kKinds) == static_cast<size_t>(Kind::kCount));

constexpr bool CatalogueInOrder() {
  for (size_t i = 0; i < std::size(kKinds); ++i) {
    if (static_cast<size_t>(kKinds[i].Id) != i) return false;
  }
  return true;
}
static_assert(CatalogueInOrder());

}  // namespace

std::string_view TrimRight(std::string_view text) {
  size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view TrimLeft(std::string_view text) {
  size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string_view Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string FixedText(std::string_view text, int width) {
  size_t pos = 0;
  int chars = 0;
  while (pos < text.size() && chars < width) {
    auto lead = static_cast<unsigned char>(text[pos]);
    ++pos;
    // Skip continuation bytes so a character is never cut in half.
    if (lead >= 0xC0) {
      while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    }
    ++chars;
  }
  return std::string(TrimRight(text.substr(0, pos)));
}

std::string FullWidth(char c) {
  // U+FF01..U+FF5E follow "!".."~" in order.
  const unsigned code = 0xFF01u + static_cast<unsigned char>(c) - static_cast<unsigned char>('!');
  return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
          static_cast<char>(0x80 | (code & 0x3F))};
}

const KindInfo* FindKind(std::string_view code) {
  std::string_view trimmed = Trim(code);
  if (trimmed.empty()) return nullptr;
  for (size_t i = 1; i < std::size(kKinds); ++i) {
    if (kKinds[i].Code == trimmed) return &kKinds[i];
  }
  return nullptr;
}

const KindInfo& KindInfoOf(Kind id) {
  auto index = static_cast<size_t>(id);
  return index < std::size(kKinds) ? kKinds[index] : kKinds[0];
}

Kind DecodeKind(std::string_view code) {
  const KindInfo* info = FindKind(code);
  return info ? info->Id : Kind::kUnknown;
}

std::string_view KindJapaneseName(std::string_view code) {
  const KindInfo* info = FindKind(TrimRight(code));
  return info ? info->DisplayName : std::string_view{};
}

}  // namespace plandra
