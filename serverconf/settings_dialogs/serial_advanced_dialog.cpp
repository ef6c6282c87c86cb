#include "serial_advanced_dialog.h"

#include "dialogs/dialog_flags.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "dialogs/notice.h"
#include "parameter_choice_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace serverconf {

SerialAdvancedDialog::SerialAdvancedDialog(DeviceParameters& parameters, QWidget* parent)
    : EnterSafeDialog(parent, captionOnlyDialogFlags()),
      parameters_(parameters),
      packetCountField_(new QLineEdit(parameters.maxPacketCount, this)),
      charDelayField_(new QLineEdit(parameters.maxCharDelay, this)),
      onTheFlyList_(new ParameterChoiceBox(onTheFlyChoices(), this)),
      okButton_(new QPushButton(tr("确  定"), this)),
      cancelButton_(new QPushButton(tr("取  消"), this)) {
    setWindowTitle(tr("串口高级属性设置"));
    const DialogUnits units = layOutDialog(this, systemTemplateFont(), 160, 94);
    auto* frame = new QGroupBox(this);
    units.place(frame, 8, 6, 143, 68);
    frame->lower();
    auto* packetLabel = new QLabel(tr("最大数据封包数："), this);
    auto* delayLabel = new QLabel(tr("最大字符间延时："), this);
    auto* onTheFlyLabel = new QLabel(tr("On-the-Fly功能："), this);
    units.place(packetLabel, 18, 19, 79, 8);
    units.place(packetCountField_, 85, 16, 50, 12);
    units.place(delayLabel, 17, 36, 79, 8);
    units.place(charDelayField_, 84, 33, 50, 12);
    units.place(onTheFlyLabel, 18, 54, 76, 8);
    units.place(onTheFlyList_, 85, 51, 50, 12);
    units.place(okButton_, 36, 77, 34, 14);
    units.place(cancelButton_, 95, 77, 35, 14);
    const QFont font = dialogFont(18);
    for (QWidget* control : std::initializer_list<QWidget*>{packetLabel, delayLabel, onTheFlyLabel, packetCountField_,
                                                            charDelayField_, onTheFlyList_, okButton_, cancelButton_}) {
        control->setFont(font);
    }

    onTheFlyList_->hold(parameters_.onTheFly);

    connect(okButton_, &QPushButton::clicked, this, &SerialAdvancedDialog::store);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

// The packet count goes in first and is shown; the delay and On-the-Fly
// follow once the message is dismissed.
void SerialAdvancedDialog::store() {
    parameters_.maxPacketCount = packetCountField_->text();
    notice(this, parameters_.maxPacketCount, programName());
    parameters_.maxCharDelay = charDelayField_->text();
    parameters_.onTheFly = onTheFlyList_->workingValue();
    accept();
}

}  // namespace serverconf
