#include "parameter_choice_box.h"

namespace serverconf {

ParameterChoiceBox::ParameterChoiceBox(const ChoiceList& choices, QWidget* parent)
    : QComboBox(parent), choices_(choices) {
    for (const ChoiceEntry& entry : choices_) addItem(shownText(entry));
    setCurrentIndex(-1);
    // Only a user's pick counts as a choice; selections made by the program do not.
    connect(this, &QComboBox::activated, this, &ParameterChoiceBox::takeEntry);
}

void ParameterChoiceBox::hold(const QString& value) {
    workingValue_ = value;
    setCurrentIndex(choiceIndexOfValue(choices_, value));
}

bool ParameterChoiceBox::choose(const QString& value) {
    const int index = choiceIndexOfValue(choices_, value);
    if (index < 0) return false;
    setCurrentIndex(index);
    takeEntry(index);
    return true;
}

void ParameterChoiceBox::takeEntry(int index) {
    if (index < 0 || index >= choices_.size()) return;
    workingValue_ = choices_[index].value;
    emit chosen();
}

}  // namespace serverconf
