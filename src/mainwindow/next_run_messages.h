#pragma once

#include <QString>

#include "core/address_template.h"

namespace serialix {

// The words with which the generation command refuses a run; the count label quotes them so
// that what it predicts reads exactly as what the run would say.
QString CounterTextMessage(const CounterTextError& error);
QString SegmentTextMessage(const SegmentTextError& error);
QString TooManyAddressesMessage();

}  // namespace serialix
