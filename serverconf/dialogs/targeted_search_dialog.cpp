#include "dialogs/targeted_search_dialog.h"

#include "dialogs/dialog_flags.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "dialogs/ip_address_edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace serverconf {

TargetedSearchDialog::TargetedSearchDialog(QWidget* parent)
    : QDialog(parent, captionOnlyDialogFlags()),
      addressField_(new IpAddressEdit(this)),
      endAddressField_(new IpAddressEdit(this)),
      portBox_(new QLineEdit(this)),
      okButton_(new QPushButton(tr("确 定"), this)),
      cancelButton_(new QPushButton(tr("取 消"), this)) {
    setWindowTitle(tr("定位搜索"));
    const DialogUnits units = layOutDialog(this, systemTemplateFont(), 138, 78);
    auto* addressLabel = new QLabel(tr("设备IP："), this);
    // Optional: with it, every address from the first to this one is probed.
    auto* endLabel = new QLabel(tr("结束IP："), this);
    auto* portLabel = new QLabel(tr("端口号："), this);
    units.place(addressLabel, 12, 11, 32, 8);
    units.place(addressField_, 44, 10, 78, 11);
    units.place(endLabel, 12, 27, 32, 8);
    units.place(endAddressField_, 44, 26, 78, 11);
    units.place(portLabel, 12, 43, 33, 8);
    units.place(portBox_, 44, 41, 40, 12);
    units.place(okButton_, 28, 59, 35, 12);
    units.place(cancelButton_, 81, 59, 35, 12);
    portBox_->setText(portText_);
    const QFont font = dialogFont(16);
    for (QWidget* control :
         {static_cast<QWidget*>(addressLabel), static_cast<QWidget*>(endLabel), static_cast<QWidget*>(portLabel),
          static_cast<QWidget*>(addressField_), static_cast<QWidget*>(endAddressField_),
          static_cast<QWidget*>(portBox_), static_cast<QWidget*>(okButton_), static_cast<QWidget*>(cancelButton_)}) {
        control->setFont(font);
    }
    connect(okButton_, &QPushButton::clicked, this, [this] {
        takeEntries();
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TargetedSearchDialog::takeEntries() {
    targetAddress_ = addressField_->text();
    endAddress_ = endAddressField_->isBlank() ? QString() : endAddressField_->text();
    portText_ = portBox_->text();
}

}  // namespace serverconf
