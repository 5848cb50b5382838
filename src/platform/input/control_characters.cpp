#include "platform/input/control_characters.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "core/address_characters.h"

namespace serialix {
namespace {

// Every character the rule refuses lies in the basic plane, so one UTF-16 unit is enough; the
// halves of a surrogate pair always pass.
bool IsControl(QChar c) {
  return !MayStandInAddress(c.unicode());
}

// QLineEdit runs its validator on every user edit and takes over the text the validator
// hands back, so the field's change signals only ever see the cleaned text.
class ControlCharacterValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    if (std::any_of(input.cbegin(), input.cend(), IsControl)) input = WithoutControlCharacters(input, &pos);
    return Acceptable;
  }
};

}  // namespace

QString WithoutControlCharacters(const QString& text, int* cursor) {
  QString clean;
  clean.reserve(text.size());
  int removedBeforeCursor = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsControl(text[i])) {
      clean += text[i];
    } else if (cursor != nullptr && i < *cursor) {
      ++removedBeforeCursor;
    }
  }
  if (cursor != nullptr) *cursor -= removedBeforeCursor;
  return clean;
}

void KeepControlCharactersOut(QLineEdit* edit) {
  edit->setValidator(new ControlCharacterValidator(edit));
}

}  // namespace serialix
