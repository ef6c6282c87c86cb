#pragma once
// "属性设置": the parameters of one device server on two tab pages, network
// and serial, opened after a successful read-out. Nine fields show texts,
// seven lists hold working values; OK writes them to the device (refused,
// with a message, while the IP field holds no dotted address), "出厂设置"
// restores the device's factory values (both close the dialog with OK, the
// caller then shows the update wait and refreshes the list), Cancel empties
// the parameter set. Save and Load exchange the shown values with a device
// configuration file; the two "高级设置" buttons edit the five remaining
// parameters in the parameter set itself. OK refuses an IP address other
// listed devices hold; "出厂设置" tells whom the factory address puts the
// device beside, and goes on.

#include "channel/network_environment.h"
#include "device/device_parameters.h"
#include "device/device_route.h"
#include "dialogs/address_holders.h"
#include "parameter_operations/parameter_write.h"
#include "parameter_operations/value_checks.h"
#include "parameter_operations/write_verification.h"

#include "enter_safe_dialog.h"
#include "not_read_marks.h"

#include <array>
#include <optional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace serverconf {

class DialogUnits;
class ParameterChoiceBox;

class PropertySettingsDialog : public EnterSafeDialog {
    Q_OBJECT
public:
    enum class Field {
        UserName,
        DeviceName,
        MacAddress,
        IpAddress,
        Port,
        DestinationIp,
        DestinationPort,
        GatewayIp,
        Netmask
    };
    enum class List { Protocol, WorkMode, RtsCts, Dtr, BaudRate, Parity, DataBits };
    enum class Page { Network = 0, Serial = 1 };

    // Takes the nine field values and the seven list values out of
    // `session.parameters`; `route` is how the read-out reached the device,
    // and the write and the factory reset reach it the same way. `notRead`:
    // get tags whose values the read-out did not bring (NotReadMarks).
    PropertySettingsDialog(NetworkEnvironment& environment, DeviceSession& session, DeviceRoute route,
                           const QList<int>& notRead = {}, QWidget* parent = nullptr);

    // What OK hands to the write: the eight editable field texts and the
    // seven working values.
    ParameterEdits values() const;
    // What Save writes: the values the dialog shows (fields and working
    // values, the typed IP address included), with the MAC address and the
    // five advanced values of the parameter set.
    DeviceParameters valuesToSave() const;
    // What Load does with a file's values: each value the file gives
    // (takenFromProfile of `keysGiven`, get tags) goes where it is shown,
    // fields take their texts, lists choose the entry with the value, the
    // five advanced values go into the parameter set, and is a value given.
    // What the file does not give stays as it was; the MAC address is never
    // loaded.
    void applyProfile(const DeviceParameters& loaded, const QSet<int>& keysGiven);
    // The notice of a field value that may not be sent, naming the field.
    QString problemMessage(const ValueProblem& problem) const;
    // Who holds an address besides the device (by default: nobody), asked
    // by OK for the IP field and by "出厂设置" for the factory address.
    void setAddressHolders(AddressHolders holders) { addressHolders_ = std::move(holders); }

    // What OK or "出厂设置" sent, for the read-back after the update wait;
    // nothing before either was pressed (or when OK was refused).
    const std::optional<SentValues>& sent() const { return sent_; }
    const NotReadMarks& notReadMarks() const { return notRead_; }

    // cppcheck-suppress CastIntegerToAddressAtReturn ; Qt unknown to cppcheck: the arrays hold widget pointers
    QLineEdit* field(Field field) const { return fields_[static_cast<size_t>(field)]; }
    // cppcheck-suppress CastIntegerToAddressAtReturn ; Qt unknown to cppcheck: the arrays hold widget pointers
    ParameterChoiceBox* list(List list) const { return lists_[static_cast<size_t>(list)]; }
    QString workingValue(List list) const;
    QTabWidget* tabs() const { return tabs_; }
    // cppcheck-suppress CastIntegerToAddressAtReturn ; Qt unknown to cppcheck: the arrays hold widget pointers
    QWidget* page(Page page) const { return pages_[static_cast<size_t>(page)]; }
    QPushButton* networkAdvancedButton() const { return networkAdvancedButton_; }
    QPushButton* serialAdvancedButton() const { return serialAdvancedButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* loadButton() const { return loadButton_; }
    QPushButton* factoryButton() const { return factoryButton_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

public slots:
    // Cancel, Escape and the close box: the parameter set is emptied (all but
    // the device's address).
    void reject() override;

private:
    void buildNetworkPage(const DialogUnits& units);
    void buildSerialPage(const DialogUnits& units);
    void buildButtons(const DialogUnits& units, const QFont& font);
    void showValues();
    void watchNotRead();
    void takeAdvancedValues();
    void applyWorkModeRule();
    void showPage(int index);
    void write();
    void restoreFactory();
    void openNetworkAdvanced();
    void openSerialAdvanced();
    void save();
    void load();

    NetworkEnvironment& environment_;
    DeviceSession& session_;
    const DeviceRoute route_;
    NotReadMarks notRead_;
    std::optional<SentValues> sent_;
    AddressHolders addressHolders_ = noAddressHolders;
    std::array<QLineEdit*, 9> fields_{};
    std::array<ParameterChoiceBox*, 7> lists_{};
    std::array<QWidget*, 2> pages_{};
    QTabWidget* tabs_ = nullptr;
    QPushButton* networkAdvancedButton_ = nullptr;
    QPushButton* serialAdvancedButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* factoryButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace serverconf
