#include "dialogs/change_ip_dialog.h"

#include "dialogs/dialog_flags.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "dialogs/ip_address_edit.h"
#include "dialogs/notice.h"
#include "messages/user_messages.h"
#include "parameter_operations/value_checks.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace serverconf {

ChangeIpDialog::ChangeIpDialog(const QString& presentAddress, QWidget* parent)
    : QDialog(parent, captionOnlyDialogFlags()),
      addressField_(new IpAddressEdit(this)),
      okButton_(new QPushButton(tr("确  定"), this)),
      cancelButton_(new QPushButton(tr("取  消"), this)),
      address_(presentAddress) {
    setWindowTitle(tr("更改IP"));
    const DialogUnits units = layOutDialog(this, systemTemplateFont(), 148, 56);
    auto* frame = new QGroupBox(this);
    units.place(frame, 5, 4, 138, 30);
    frame->lower();
    auto* label = new QLabel(tr("设备IP："), this);
    units.place(label, 10, 17, 35, 8);
    units.place(addressField_, 43, 16, 92, 10);
    units.place(okButton_, 27, 39, 30, 11);
    units.place(cancelButton_, 82, 39, 30, 11);
    const QFont font = dialogFont(16);
    for (QWidget* control : {static_cast<QWidget*>(label), static_cast<QWidget*>(addressField_),
                             static_cast<QWidget*>(okButton_), static_cast<QWidget*>(cancelButton_)}) {
        control->setFont(font);
    }
    addressField_->setText(presentAddress);
    // OK with a blank field stays in the dialog: a device must not be sent
    // an empty address. Nor one it could not be reached at, nor one another
    // listed device holds: a unicast request could then reach either.
    connect(okButton_, &QPushButton::clicked, this, [this] {
        const QString typed = addressField_->text();
        if (typed.isEmpty()) return;
        if (valueFault(QStringLiteral("IP"), typed)) {
            notice(this, userMessage(kUnusableIpAddressMessage));
            return;
        }
        if (const QStringList holders = holders_(typed); !holders.isEmpty()) {
            notice(this, addressTakenNotice(holders));
            return;
        }
        address_ = typed;
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace serverconf
