// A read-only view of a registry hive as Wine keeps it: the text file system.reg
// (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER) of a prefix. Key and value names compare
// without case.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class RegType : uint32_t { None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7 };

struct RegValue {
  RegType type = RegType::None;
  std::vector<uint8_t> data;  // as the registry holds it: strings in UTF-16LE with their NUL
};

class Registry {
 public:
  // Parses the text of a registry file. Lines that do not parse are skipped; a text without
  // the "WINE REGISTRY Version 2" header gives an empty registry.
  static Registry Parse(std::string_view text);
  // <prefix>/system.reg; empty when it can't be read.
  static Registry LoadSystemReg(const std::string &prefixLinuxDir);
  // <prefix>/user.reg (HKEY_CURRENT_USER, key paths relative to it); empty when it can't be read.
  static Registry LoadUserReg(const std::string &prefixLinuxDir);

  bool Is64Bit() const { return win64_; }
  bool KeyExists(std::string_view keyPath) const;
  std::optional<RegValue> ReadValue(std::string_view keyPath, std::string_view valueName) const;
  // A string value (REG_SZ or REG_EXPAND_SZ, unexpanded) as UTF-8.
  std::optional<std::string> ReadString(std::string_view keyPath, std::string_view valueName) const;

  // The key path that a 32-bit program sees for keyPath (a path under HKEY_LOCAL_MACHINE such
  // as "\SOFTWARE\Maker\Product"): in a 64-bit prefix "Software\Wow6432Node\…" when that key
  // exists, else the path itself. Empty when neither exists.
  std::optional<std::string> OpenKey32(std::string_view keyPath) const;
  // A string value as a 32-bit program finds it: under "Software\Wow6432Node\…" in a 64-bit
  // prefix, else (also when that key lacks the value) under the path itself.
  std::optional<std::string> ReadString32(std::string_view keyPath, std::string_view valueName) const;

 private:
  struct Key {
    std::map<std::string, RegValue> values;  // folded name → value; "" is the default value
  };
  static std::string FoldKey(std::string_view keyPath);
  std::optional<std::string> Wow64Path(std::string_view keyPath) const;  // when it would apply
  std::map<std::string, Key> keys_;                                      // folded path without leading "\" → key
  bool win64_ = false;
};

}  // namespace platform
