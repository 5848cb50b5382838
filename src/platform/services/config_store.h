#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace serialix {

// The system's configuration store, read the way the registry is read: open a key under a root,
// query a value's type and raw bytes, close the key. Nothing here ever writes to the store.
constexpr std::uint32_t kLocalMachineRoot = 0x80000002;  // HKEY_LOCAL_MACHINE
constexpr std::uint32_t kTextValue = 1;                  // REG_SZ
constexpr std::uint32_t kExpandableTextValue = 2;        // REG_EXPAND_SZ
constexpr std::uint32_t kNumberValue = 4;                // REG_DWORD

struct ConfigValue {
  std::uint32_t type = 0;
  std::string bytes;  // raw: text values are in code page 932 and usually end in a NUL
};

// An open key; destroying it closes it.
class ConfigKey {
 public:
  virtual ~ConfigKey() = default;
  // The value of that name, or nothing when it is missing or longer than capacity bytes.
  virtual std::optional<ConfigValue> query(const QString& valueName, std::size_t capacity) const = 0;
};

class ConfigStore {
 public:
  virtual ~ConfigStore() = default;
  // The key at a path such as "SOFTWARE\Vendor\Thing" (names compare case-insensitively),
  // or null when it does not exist.
  virtual std::unique_ptr<ConfigKey> open(std::uint32_t root, const QString& keyName) = 0;
};

// Linux has no such store: every key is missing.
class EmptyConfigStore : public ConfigStore {
 public:
  std::unique_ptr<ConfigKey> open(std::uint32_t root, const QString& keyName) override;
};

}  // namespace serialix
