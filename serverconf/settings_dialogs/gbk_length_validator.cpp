#include "gbk_length_validator.h"

#include "params/gbk_text.h"

#include <QLineEdit>

namespace serverconf {

GbkLengthValidator::GbkLengthValidator(QLineEdit* field, int maxBytes)
    : QValidator(field), field_(field), maxBytes_(maxBytes), shownText_(field->text()) {
    field->setValidator(this);
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { shownText_ = text; });
}

QValidator::State GbkLengthValidator::validate(QString& input, int&) const {
    // A text the program sets (the field is then unmodified) is taken whole.
    if (!field_->isModified()) return Acceptable;
    const qsizetype bytes = toGbk(input).size();
    if (bytes <= maxBytes_ || bytes < toGbk(shownText_).size()) return Acceptable;
    return Invalid;
}

}  // namespace serverconf
