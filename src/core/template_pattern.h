#pragma once

#include <optional>

#include "address_template.h"
#include "pattern.h"

namespace serialix {

// The window's template as a pattern whose expansion is exactly the template's run: the fixed
// segments as literal text, each enabled counter as a range in its fill style, the counter link
// as a repeat of G (or, when J's style differs, a lockstep pair). Nothing when the pattern
// language cannot say it: a counter with a negative value or an empty range.
std::optional<Pattern> TemplatePattern(const AddressTemplate& tmpl);

// The first counter (G, J, L) that keeps TemplatePattern from saying the template, or 0.
char CounterPatternCannotSay(const AddressTemplate& tmpl);

}  // namespace serialix
