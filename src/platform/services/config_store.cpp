#include "platform/services/config_store.h"

namespace serialix {

std::unique_ptr<ConfigKey> EmptyConfigStore::open(std::uint32_t, const QString&) {
  return nullptr;
}

}  // namespace serialix
