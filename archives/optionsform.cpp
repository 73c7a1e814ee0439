// The stored form of TArchiverOptions: its properties in their published order.
#include <array>
#include <variant>

#include "earchiver.h"
#include "lhaswitches.h"
#include "storedform.h"

namespace archives {

namespace {

using O = TArchiverOptions;
using Number = int8_t O::*;
using Text = std::string O::*;
struct JxList {};
struct Filter {};
struct Usage {};
struct Property {
  const char *name;
  std::variant<Number, Text, JxList, Filter, Usage> member;
};

// The order of the stored form: the switches in their command-line order, then the rest.
#define LHA_MEMBER(s) {#s, &O::s},
#define LHA_LIST(s) {#s, JxList{}},
const Property kProperties[] = {
    LHA_SWITCHES(LHA_MEMBER, LHA_MEMBER, LHA_MEMBER, LHA_LIST){"UserOptions", &O::UserOptions},
    {"UserFileList", &O::UserFileList},
    {"PackFilter", Filter{}},
    {"ResFileName", &O::ResFileName},
    {"ResFileUsage", Usage{}},
};
#undef LHA_MEMBER
#undef LHA_LIST

constexpr std::array<const char *, 4> kUseNames = {"ruOnPack", "ruOnUnpack", "ruOnRemoveItem", "ruOnUpdate"};

template <class... F>
struct Visitor : F... {
  using F::operator()...;
};
template <class... F>
Visitor(F...) -> Visitor<F...>;

}  // namespace

std::string StoreOptions(const TArchiverOptions &o, std::string_view prefix) {
  std::string out;
  for (const Property &prop : kProperties) {
    const std::string name = std::string(prefix) + prop.name;
    std::visit(
        Visitor{
            [&](Number m) {
              // jyc is always written: its -1 is a value of its own, not "left at default".
              if (o.*m != -1 || std::string_view(prop.name) == "jyc") out += name + " = " + std::to_string(o.*m) + "\n";
            },
            [&](Text m) { out += name + " = " + StoreString(o.*m) + "\n"; },
            [&](JxList) {
              if (!o.jx.empty()) out += name + " = " + StoreStrings(o.jx) + "\n";
            },
            [&](Filter) { out += name + " = " + (o.PackFilter == pfComponent ? "pfComponent" : "pfArchiver") + "\n"; },
            [&](Usage) {
              std::string set;
              for (size_t u = 0; u < kUseNames.size(); ++u) {
                if (!o.ResFileUsage.Contains(static_cast<TResFileUse>(u))) continue;
                if (!set.empty()) set += ", ";
                set += kUseNames[u];
              }
              out += name + " = [" + set + "]\n";
            },
        },
        prop.member);
  }
  return out;
}

bool ReadOptionsProperty(TArchiverOptions &o, const StoredProperty &p) {
  for (const Property &prop : kProperties) {
    if (p.name != prop.name) continue;
    std::visit(Visitor{
                   [&](Number m) { o.*m = static_cast<int8_t>(ReadStoredNumber(p, -128, 127)); },
                   [&](Text m) { o.*m = ReadStoredString(p); },
                   [&](JxList) { o.jx = ReadStoredStrings(p); },
                   [&](Filter) {
                     if (p.value == "pfArchiver") o.PackFilter = pfArchiver;
                     else if (p.value == "pfComponent") o.PackFilter = pfComponent;
                     else ThrowMalformed(p);
                   },
                   [&](Usage) {
                     TResFileUsage set;
                     for (const auto &item : ReadStoredSet(p)) {
                       size_t u = 0;
                       while (u < kUseNames.size() && item != kUseNames[u]) ++u;
                       if (u == kUseNames.size()) ThrowMalformed(p);
                       set.Include(static_cast<TResFileUse>(u));
                     }
                     o.ResFileUsage = set;
                   },
               },
               prop.member);
    return true;
  }
  return false;
}

TArchiverOptions ReadOptions(std::string_view text) {
  TArchiverOptions o;
  for (const auto &p : ParseStoredForm(text)) {
    if (!ReadOptionsProperty(o, p)) ThrowUnknownProperty(p);
  }
  return o;
}

}  // namespace archives
