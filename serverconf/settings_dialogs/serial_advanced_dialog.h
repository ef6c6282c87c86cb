#pragma once
// "串口高级属性设置": the maximum data packet count, the maximum delay
// between characters and the On-the-Fly function of the device being
// configured. Stored into the parameter set only when OK is pressed; the
// stored packet count is shown in a message before the other two follow.

#include "device/device_parameters.h"

#include "enter_safe_dialog.h"

class QLineEdit;
class QPushButton;

namespace serverconf {

class ParameterChoiceBox;

class SerialAdvancedDialog : public EnterSafeDialog {
    Q_OBJECT
public:
    SerialAdvancedDialog(DeviceParameters& parameters, QWidget* parent = nullptr);

    QLineEdit* packetCountField() const { return packetCountField_; }
    QLineEdit* charDelayField() const { return charDelayField_; }
    ParameterChoiceBox* onTheFlyList() const { return onTheFlyList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void store();

    DeviceParameters& parameters_;
    QLineEdit* packetCountField_;
    QLineEdit* charDelayField_;
    ParameterChoiceBox* onTheFlyList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace serverconf
