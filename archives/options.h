// TArchiverOptions: the switch set a caller fills in once and every format driver turns into
// its own library's switches. The letters are the LHA library's switch letters.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace archives {

// A string switch holding exactly this one NUL character is not given at all; an empty
// string is a given, empty value. File names use the same marker for "no name".
inline const std::string kUnset(1, '\0');
inline bool IsUnset(std::string_view s) { return s.size() == 1 && s[0] == '\0'; }
// Neither empty nor the unset marker.
inline bool IsGiven(std::string_view s) { return !s.empty() && !IsUnset(s); }

enum TPackFilter { pfArchiver, pfComponent };

enum TResFileUse { ruOnPack, ruOnUnpack, ruOnRemoveItem, ruOnUpdate };

// A set of TResFileUse.
class TResFileUsage {
 public:
  constexpr TResFileUsage() = default;
  constexpr TResFileUsage(std::initializer_list<TResFileUse> uses) {
    for (TResFileUse u : uses) bits_ |= Bit(u);
  }
  constexpr bool Contains(TResFileUse u) const { return (bits_ & Bit(u)) != 0; }
  constexpr void Include(TResFileUse u) { bits_ |= Bit(u); }
  constexpr void Exclude(TResFileUse u) { bits_ &= static_cast<uint8_t>(~Bit(u)); }
  constexpr bool Empty() const { return bits_ == 0; }
  friend constexpr bool operator==(TResFileUsage, TResFileUsage) = default;

 private:
  static constexpr uint8_t Bit(TResFileUse u) { return static_cast<uint8_t>(1u << u); }
  uint8_t bits_ = 0;
};

using TStringList = std::vector<std::string>;

// Numeric switches: -1 means "not given", any other value is passed as the switch's number.
// Copying copies every property, the jx list by content.
struct TArchiverOptions {
  int8_t a = -1, c = -1, e = -1, f = -1, h = -1, i = -1, l = -1, m = -1, n = -1, o = -1, p = -1, r = -1, s = -1, t = -1,
         u = -1;
  std::string w = kUnset;
  int8_t x = -1, y = -1, z = -1, jc = -1, jd = -1, je = -1, jf = -1, jh = -1, ji = -1, jm = -1, jn = -1;
  std::string jo = kUnset, job = kUnset;
  int8_t jp = -1, jr = -1, jss = -1, jw = -1;
  TStringList jx;
  int8_t jyc = -1, jyd = -1, jyk = -1, jyn = -1, jyo = -1;
  std::string jz = kUnset;
  int8_t ga = -1, gd = -1, ge = -1, gf = -1, gj = -1, gm = -1, gn = -1, go = -1, gp = -1;
  std::string gr = kUnset;
  int8_t gs = -1, gu = -1, gw = -1;
  std::string UserOptions;   // appended verbatim after the generated switches
  std::string UserFileList;  // appended verbatim after the file list
  TPackFilter PackFilter = pfArchiver;
  std::string ResFileName;
  TResFileUsage ResFileUsage{ruOnPack, ruOnUnpack, ruOnRemoveItem};

  bool operator==(const TArchiverOptions &) const = default;
};

}  // namespace archives
