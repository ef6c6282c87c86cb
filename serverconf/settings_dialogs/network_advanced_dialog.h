#pragma once
// "网络高级属性设置": the connection mode and the connection time limit of
// the device being configured. It works on copies of the two values and
// stores them into the parameter set only when OK is pressed.

#include "device/device_parameters.h"

#include "enter_safe_dialog.h"

class QPushButton;

namespace serverconf {

class ParameterChoiceBox;

class NetworkAdvancedDialog : public EnterSafeDialog {
    Q_OBJECT
public:
    NetworkAdvancedDialog(DeviceParameters& parameters, QWidget* parent = nullptr);

    ParameterChoiceBox* connectModeList() const { return connectModeList_; }
    ParameterChoiceBox* timeLimitList() const { return timeLimitList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void store();

    DeviceParameters& parameters_;
    ParameterChoiceBox* connectModeList_;
    ParameterChoiceBox* timeLimitList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace serverconf
