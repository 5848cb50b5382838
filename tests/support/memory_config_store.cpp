#include "support/memory_config_store.h"

#include "platform/files/codepage932.h"

namespace serialix {
namespace {

class MemoryConfigKey : public ConfigKey {
 public:
  MemoryConfigKey(std::shared_ptr<const std::map<QString, ConfigValue>> values, std::shared_ptr<int> openKeys)
      : values_(std::move(values)), openKeys_(std::move(openKeys)) {
    ++*openKeys_;
  }
  ~MemoryConfigKey() override { --*openKeys_; }
  MemoryConfigKey(const MemoryConfigKey&) = delete;
  MemoryConfigKey& operator=(const MemoryConfigKey&) = delete;

  std::optional<ConfigValue> query(const QString& valueName, std::size_t capacity) const override {
    const auto found = values_->find(valueName.toLower());
    if (found == values_->end() || found->second.bytes.size() > capacity) return std::nullopt;
    return found->second;
  }

 private:
  std::shared_ptr<const std::map<QString, ConfigValue>> values_;
  std::shared_ptr<int> openKeys_;
};

}  // namespace

void MemoryConfigStore::addKey(std::uint32_t root, const QString& keyName) {
  auto& values = keys_[{root, keyName.toLower()}];
  if (!values) values = std::make_shared<Values>();
}

void MemoryConfigStore::setValue(std::uint32_t root, const QString& keyName, const QString& valueName,
                                 ConfigValue value) {
  addKey(root, keyName);
  (*keys_[{root, keyName.toLower()}])[valueName.toLower()] = std::move(value);
}

void MemoryConfigStore::setText(std::uint32_t root, const QString& keyName, const QString& valueName,
                                const QString& text) {
  std::string bytes = Utf8ToCp932(text.toStdString());
  bytes.push_back('\0');
  setValue(root, keyName, valueName, {kTextValue, std::move(bytes)});
}

std::unique_ptr<ConfigKey> MemoryConfigStore::open(std::uint32_t root, const QString& keyName) {
  const auto found = keys_.find({root, keyName.toLower()});
  if (found == keys_.end()) return nullptr;
  return std::make_unique<MemoryConfigKey>(found->second, openKeys_);
}

}  // namespace serialix
