#pragma once
// "更改IP": shows the selected device's present address and gives back the
// address the user typed, taken from the field when OK is pressed. OK
// refuses with a notice an address the device could not be reached at
// (0.0.0.0, 255.255.255.255, multicast) and one other listed devices hold
// (naming them); the dialog stays open for a correction.

#include "dialogs/address_holders.h"

#include <QDialog>

class QPushButton;

namespace serverconf {

class IpAddressEdit;

class ChangeIpDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChangeIpDialog(const QString& presentAddress, QWidget* parent = nullptr);

    // The preset address until OK; afterwards the field's text at that moment.
    QString address() const { return address_; }
    // Who holds a typed address besides the device (by default: nobody).
    void setAddressHolders(AddressHolders holders) { holders_ = std::move(holders); }

    IpAddressEdit* addressField() const { return addressField_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    IpAddressEdit* addressField_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QString address_;
    AddressHolders holders_ = noAddressHolders;
};

}  // namespace serverconf
