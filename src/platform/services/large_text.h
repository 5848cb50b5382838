// UTF-8 text of any length as a QString, without laying it out twice in fresh memory.
#pragma once

#include <QString>

#include <string_view>

namespace serialix {

// As QString::fromUtf8 (malformed bytes become U+FFFD), but a text of many megabytes goes
// straight into a buffer backed by huge pages where the system has them.
QString LargeUtf8ToQString(std::string_view utf8);

}  // namespace serialix
