#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "platform/services/config_store.h"

namespace serialix {

// A store held in memory, filled by tests; it counts the keys that are open.
class MemoryConfigStore : public ConfigStore {
 public:
  void setValue(std::uint32_t root, const QString& keyName, const QString& valueName, ConfigValue value);
  // A REG_SZ value as the system stores it: code page 932 bytes followed by a NUL.
  void setText(std::uint32_t root, const QString& keyName, const QString& valueName, const QString& text);
  // A key that exists without values.
  void addKey(std::uint32_t root, const QString& keyName);

  std::unique_ptr<ConfigKey> open(std::uint32_t root, const QString& keyName) override;
  int openKeys() const { return *openKeys_; }

 private:
  using Values = std::map<QString, ConfigValue>;  // by lower-case value name
  std::map<std::pair<std::uint32_t, QString>, std::shared_ptr<Values>> keys_;
  std::shared_ptr<int> openKeys_ = std::make_shared<int>(0);
};

}  // namespace serialix
