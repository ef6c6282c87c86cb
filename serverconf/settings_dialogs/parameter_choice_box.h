#pragma once
// A drop-down list of parameter choices and the working value it stands for.
// The working value is the parameter's value text: set when the list is
// given a held value, when the user picks an entry and when a value is
// chosen for the user (a loaded file). Whenever an entry is selected, the
// working value is that entry's value; a held value that matches no entry
// is kept with no entry selected.

#include "parameter_choices.h"

#include <QComboBox>

namespace serverconf {

class ParameterChoiceBox : public QComboBox {
    Q_OBJECT
public:
    ParameterChoiceBox(const ChoiceList& choices, QWidget* parent = nullptr);

    QString workingValue() const { return workingValue_; }

    // Holds `value` and selects the entry that has it, or none.
    void hold(const QString& value);

    // Does what the user's choice of the entry with `value` does (selection,
    // working value, `chosen`); false, with nothing changed, when no entry
    // has that value.
    bool choose(const QString& value);

signals:
    // An entry was chosen, by the user or through choose().
    void chosen();

private:
    void takeEntry(int index);

    const ChoiceList& choices_;
    QString workingValue_;
};

}  // namespace serverconf
