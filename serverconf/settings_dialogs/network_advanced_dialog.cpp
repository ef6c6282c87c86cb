#include "network_advanced_dialog.h"

#include "dialogs/dialog_flags.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "parameter_choice_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace serverconf {

NetworkAdvancedDialog::NetworkAdvancedDialog(DeviceParameters& parameters, QWidget* parent)
    : EnterSafeDialog(parent, captionOnlyDialogFlags()),
      parameters_(parameters),
      connectModeList_(new ParameterChoiceBox(connectModeChoices(), this)),
      timeLimitList_(new ParameterChoiceBox(connectTimeLimitChoices(), this)),
      okButton_(new QPushButton(tr("确  定"), this)),
      cancelButton_(new QPushButton(tr("取  消"), this)) {
    setWindowTitle(tr("网络高级属性设置"));
    const DialogUnits units = layOutDialog(this, systemTemplateFont(), 166, 75);
    auto* frame = new QGroupBox(this);
    units.place(frame, 8, 4, 148, 49);
    frame->lower();
    auto* modeLabel = new QLabel(tr("连接方式："), this);
    auto* limitLabel = new QLabel(tr("连接时限："), this);
    units.place(modeLabel, 16, 16, 54, 8);
    units.place(connectModeList_, 58, 14, 86, 12);
    units.place(limitLabel, 16, 33, 55, 8);
    units.place(timeLimitList_, 58, 32, 85, 12);
    units.place(okButton_, 32, 58, 32, 12);
    units.place(cancelButton_, 82, 58, 32, 12);
    const QFont font = dialogFont(18);
    for (QWidget* control : std::initializer_list<QWidget*>{modeLabel, limitLabel, connectModeList_, timeLimitList_,
                                                            okButton_, cancelButton_}) {
        control->setFont(font);
    }

    connectModeList_->hold(parameters_.connectMode);
    // The time limit entry is picked by the held text's number (an empty text
    // picks "0"), while the held text itself stays until an entry is chosen.
    timeLimitList_->hold(parameters_.connectTimeLimit);
    timeLimitList_->setCurrentIndex(connectTimeLimitIndex(parameters_.connectTimeLimit));

    connect(okButton_, &QPushButton::clicked, this, &NetworkAdvancedDialog::store);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void NetworkAdvancedDialog::store() {
    parameters_.connectMode = connectModeList_->workingValue();
    parameters_.connectTimeLimit = timeLimitList_->workingValue();
    accept();
}

}  // namespace serverconf
