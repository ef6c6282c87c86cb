#pragma once
// Limits an edit field to a number of bytes of code page 936, the encoding
// the device stores names in: a limit of 8 takes 8 single-byte characters
// or 4 Chinese ones. An edit that would make the text longer than the limit
// is refused. A longer text set by the program is shown whole and can still
// be shortened.

#include <QString>
#include <QValidator>

class QLineEdit;

namespace serverconf {

class GbkLengthValidator : public QValidator {
    Q_OBJECT
public:
    // Installs itself on `field`, which owns it.
    GbkLengthValidator(QLineEdit* field, int maxBytes);

    State validate(QString& input, int& position) const override;

private:
    QLineEdit* field_;
    int maxBytes_;
    QString shownText_;  // the field's text before the edit being validated
};

}  // namespace serverconf
