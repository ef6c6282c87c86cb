#pragma once
// "定位搜索": asks for the address of the one device to list, or with an
// end address for the first address of a range to probe by unicast. The
// port box is shown and kept, but requests always go to the device port.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace serverconf {

class IpAddressEdit;

class TargetedSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit TargetedSearchDialog(QWidget* parent = nullptr);

    // The address typed in, taken from the field when OK was pressed.
    QString targetAddress() const { return targetAddress_; }
    // The end address typed in when OK was pressed; empty: one address only.
    QString endAddress() const { return endAddress_; }
    // The port box's text as it was when OK was pressed (preset "65535").
    QString portText() const { return portText_; }

    IpAddressEdit* addressField() const { return addressField_; }
    IpAddressEdit* endAddressField() const { return endAddressField_; }
    QLineEdit* portBox() const { return portBox_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    void takeEntries();

    IpAddressEdit* addressField_;
    IpAddressEdit* endAddressField_;
    QLineEdit* portBox_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QString targetAddress_;
    QString endAddress_;
    QString portText_ = QStringLiteral("65535");
};

}  // namespace serverconf
