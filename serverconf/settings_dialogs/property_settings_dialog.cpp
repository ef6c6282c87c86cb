#include "property_settings_dialog.h"

#include "device_profile_commands.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "dialogs/modal_run.h"
#include "dialogs/notice.h"
#include "gbk_length_validator.h"
#include "messages/user_messages.h"
#include "network_advanced_dialog.h"
#include "parameter_choice_box.h"
#include "parameter_operations/profile_load.h"
#include "parameter_operations/value_checks.h"
#include "serial_advanced_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTabWidget>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(propertyLog, "serverconf.property", QtWarningMsg)

using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;

// The pages start below the tab row; their controls are given in units of
// the whole dialog and shifted by this much.
constexpr int kPageTop = 14;
constexpr int kPageHeight = 125;
// Names are limited to 8 bytes of code page 936, the port to 5.
constexpr int kNameBytes = 8;
constexpr int kPortBytes = 5;
// Work mode value that enables the client's settings.
const QString kClientWorkMode = QStringLiteral("2");
const QString kServerWorkMode = QStringLiteral("0");

// The template's base font, which the MAC address field and the frames keep.
QFont templateFont() {
    QFont font = dialogFont(12);
    font.setPointSize(9);
    return font;
}

// Places a control of a page (a child of the page) in dialog coordinates.
void placeOnPage(const DialogUnits& units, QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(units.rect(left, top, width, height).translated(0, -units.y(kPageTop)));
}

// A label's text starts at its top edge and may run below its box.
void addLabel(const DialogUnits& units, QWidget* page, const QString& text, int left, int top, int width) {
    auto* label = new QLabel(text, page);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeOnPage(units, label, left, top, width, 8);
    label->resize(label->width(), qMax(label->height(), label->fontMetrics().height()));
}

constexpr int kListHeight = 12;
constexpr int kFieldHeight = 12;

// The parameter each editable field and each list shows.
constexpr std::array<std::pair<Field, const char*>, 8> kFieldCodes{{{Field::UserName, "ON"},
                                                                    {Field::DeviceName, "DN"},
                                                                    {Field::IpAddress, "IP"},
                                                                    {Field::Port, "PN"},
                                                                    {Field::DestinationIp, "DI"},
                                                                    {Field::DestinationPort, "DP"},
                                                                    {Field::GatewayIp, "GI"},
                                                                    {Field::Netmask, "NM"}}};
constexpr std::array<std::pair<List, const char*>, 7> kListCodes{{{List::Protocol, "TP"},
                                                                  {List::WorkMode, "RM"},
                                                                  {List::RtsCts, "FC"},
                                                                  {List::Dtr, "DT"},
                                                                  {List::BaudRate, "BR"},
                                                                  {List::Parity, "PR"},
                                                                  {List::DataBits, "BB"}}};
// The values the advanced dialogs edit in the parameter set.
constexpr std::array<const char*, 5> kAdvancedCodes{"CM", "CT", "RC", "ML", "MD"};

int tagOf(const char* code) { return parameterByCode(QString::fromLatin1(code))->getTag; }

}  // namespace

PropertySettingsDialog::PropertySettingsDialog(NetworkEnvironment& environment, DeviceSession& session,
                                               DeviceRoute route, const QList<int>& notRead, QWidget* parent)
    : EnterSafeDialog(parent),
      environment_(environment),
      session_(session),
      route_(std::move(route)),
      notRead_(notRead) {
    setWindowTitle(tr("属性设置"));
    const DialogUnits units = layOutDialog(this, templateFont(), 251, 166);
    const QFont font = dialogFont(12);

    tabs_ = new QTabWidget(this);
    tabs_->setFont(font);
    units.place(tabs_, 0, 0, 251, 166);
    tabs_->addTab(new QWidget, tr("网络属性设置"));
    tabs_->addTab(new QWidget, tr("串口属性设置"));
    for (QWidget*& page : pages_) {
        page = new QWidget(this);
        page->setFont(font);
        units.place(page, 0, kPageTop, 251, kPageHeight);
    }
    buildNetworkPage(units);
    buildSerialPage(units);
    buildButtons(units, font);

    showValues();
    watchNotRead();
    showPage(0);
    connect(tabs_, &QTabWidget::currentChanged, this, &PropertySettingsDialog::showPage);
}

void PropertySettingsDialog::buildNetworkPage(const DialogUnits& units) {
    QWidget* page = pages_[static_cast<size_t>(Page::Network)];
    auto* frame = new QGroupBox(page);
    frame->setFont(templateFont());
    placeOnPage(units, frame, 7, 14, 237, 113);

    const auto addField = [&](Field which, const QString& label, int labelLeft, int labelTop, int labelWidth, int left,
                              int top) {
        addLabel(units, page, label, labelLeft, labelTop, labelWidth);
        auto* edit = new QLineEdit(page);
        placeOnPage(units, edit, left, top, 61, kFieldHeight);
        fields_[static_cast<size_t>(which)] = edit;
    };
    const auto addList = [&](List which, const ChoiceList& choices, const QString& label, int labelLeft, int labelTop,
                             int left, int top) {
        addLabel(units, page, label, labelLeft, labelTop, 48);
        auto* box = new ParameterChoiceBox(choices, page);
        placeOnPage(units, box, left, top, 61, kListHeight);
        lists_[static_cast<size_t>(which)] = box;
    };
    addField(Field::UserName, tr("使 用 者："), 16, 30, 48, 52, 26);
    addField(Field::DeviceName, tr("设 备 名："), 16, 46, 48, 52, 42);
    addField(Field::MacAddress, tr("MAC地址："), 20, 61, 48, 52, 58);
    addField(Field::IpAddress, tr("IP 地 址："), 16, 77, 48, 52, 74);
    addField(Field::Port, tr("端 口 号："), 16, 92, 48, 52, 90);
    addList(List::Protocol, protocolChoices(), tr("传输协议："), 16, 109, 52, 106);
    addList(List::WorkMode, workModeChoices(), tr("工作模式："), 137, 30, 174, 26);
    addField(Field::DestinationIp, tr("目 标IP："), 140, 46, 45, 174, 42);
    addField(Field::DestinationPort, tr("目标端口："), 137, 61, 41, 174, 58);
    addField(Field::GatewayIp, tr("网 关IP："), 141, 77, 45, 174, 73);
    addField(Field::Netmask, tr("网络掩码："), 137, 92, 41, 174, 88);
    networkAdvancedButton_ = new QPushButton(tr("高级设置"), page);
    placeOnPage(units, networkAdvancedButton_, 185, 107, 39, 11);

    field(Field::MacAddress)->setFont(templateFont());
    field(Field::MacAddress)->setEnabled(false);
    new GbkLengthValidator(field(Field::UserName), kNameBytes);
    new GbkLengthValidator(field(Field::DeviceName), kNameBytes);
    new GbkLengthValidator(field(Field::Port), kPortBytes);

    connect(list(List::WorkMode), &ParameterChoiceBox::chosen, this, &PropertySettingsDialog::applyWorkModeRule);
    connect(networkAdvancedButton_, &QPushButton::clicked, this, &PropertySettingsDialog::openNetworkAdvanced);
}

void PropertySettingsDialog::buildSerialPage(const DialogUnits& units) {
    QWidget* page = pages_[static_cast<size_t>(Page::Serial)];
    auto* frame = new QGroupBox(page);
    frame->setFont(templateFont());
    placeOnPage(units, frame, 7, 18, 237, 99);

    const auto addList = [&](List which, const ChoiceList& choices, const QString& label, int labelLeft, int labelTop,
                             int labelWidth, int top, int width) {
        addLabel(units, page, label, labelLeft, labelTop, labelWidth);
        auto* box = new ParameterChoiceBox(choices, page);
        placeOnPage(units, box, 81, top, width, kListHeight);
        lists_[static_cast<size_t>(which)] = box;
    };
    addList(List::BaudRate, baudRateChoices(), tr("波 特 率："), 45, 29, 45, 26, 69);
    addList(List::Parity, parityChoices(), tr("校    验："), 48, 46, 41, 44, 51);
    addList(List::DataBits, dataBitsChoices(), tr("比 特 位："), 45, 65, 43, 62, 48);
    addList(List::Dtr, enableChoices(), tr("DTR设置："), 43, 83, 52, 81, 82);
    addList(List::RtsCts, enableChoices(), tr("RTS/CTS设置："), 29, 101, 60, 100, 82);
    serialAdvancedButton_ = new QPushButton(tr("高级设置"), page);
    placeOnPage(units, serialAdvancedButton_, 188, 98, 39, 13);
    connect(serialAdvancedButton_, &QPushButton::clicked, this, &PropertySettingsDialog::openSerialAdvanced);
}

// The five buttons below the pages belong to both.
void PropertySettingsDialog::buildButtons(const DialogUnits& units, const QFont& font) {
    const auto addButton = [&](const QString& caption, int left, int width, void (PropertySettingsDialog::*action)()) {
        auto* button = new QPushButton(caption, this);
        button->setFont(font);
        units.place(button, left, 141, width, 13);
        connect(button, &QPushButton::clicked, this, action);
        return button;
    };
    saveButton_ = addButton(tr("保   存"), 15, 36, &PropertySettingsDialog::save);
    loadButton_ = addButton(tr("载   入"), 61, 36, &PropertySettingsDialog::load);
    factoryButton_ = addButton(tr("出厂设置"), 107, 37, &PropertySettingsDialog::restoreFactory);
    okButton_ = addButton(tr("确   定"), 153, 36, &PropertySettingsDialog::write);
    cancelButton_ = addButton(tr("取   消"), 199, 36, &PropertySettingsDialog::reject);
}

// The values the dialog opens with: the lists in the order RTS/CTS, DTR,
// baud rate, parity, data bits, work mode, protocol, then the field texts.
void PropertySettingsDialog::showValues() {
    const DeviceParameters& parameters = session_.parameters;
    list(List::RtsCts)->hold(parameters.rtsCts);
    list(List::Dtr)->hold(parameters.dtr);
    list(List::BaudRate)->hold(parameters.baudRate);
    list(List::Parity)->hold(parameters.parity);
    list(List::DataBits)->hold(parameters.dataBits);
    list(List::WorkMode)->hold(parameters.workMode);
    applyWorkModeRule();
    list(List::Protocol)->hold(parameters.protocol);

    field(Field::UserName)->setText(parameters.userName);
    field(Field::DeviceName)->setText(parameters.deviceName);
    field(Field::MacAddress)->setText(parameters.macAddress);
    field(Field::IpAddress)->setText(parameters.ipAddress);
    field(Field::Port)->setText(parameters.port);
    field(Field::DestinationIp)->setText(parameters.destinationIp);
    field(Field::DestinationPort)->setText(parameters.destinationPort);
    field(Field::GatewayIp)->setText(parameters.gatewayIp);
    field(Field::Netmask)->setText(parameters.netmask);
}

// Marks what was not read; the lists are marked after showValues, whose
// held values are no choice of the user's.
void PropertySettingsDialog::watchNotRead() {
    for (const auto& [which, code] : kFieldCodes) notRead_.watch(tagOf(code), field(which));
    for (const auto& [which, code] : kListCodes) notRead_.watch(tagOf(code), list(which));
}

QString PropertySettingsDialog::workingValue(List which) const { return list(which)->workingValue(); }

// The client's settings (destination, gateway, netmask, the network
// "高级设置") are usable only in client mode; any other work mode value
// leaves them as they are.
void PropertySettingsDialog::applyWorkModeRule() {
    const QString mode = workingValue(List::WorkMode);
    if (mode != kServerWorkMode && mode != kClientWorkMode) return;
    const bool client = mode == kClientWorkMode;
    for (Field which : {Field::DestinationIp, Field::DestinationPort, Field::GatewayIp, Field::Netmask}) {
        field(which)->setEnabled(client);
    }
    networkAdvancedButton_->setEnabled(client);
}

void PropertySettingsDialog::showPage(int index) {
    const bool network = index == static_cast<int>(Page::Network);
    page(Page::Network)->setVisible(network);
    page(Page::Serial)->setVisible(!network);
}

ParameterEdits PropertySettingsDialog::values() const {
    ParameterEdits values;
    values.userName = field(Field::UserName)->text();
    values.deviceName = field(Field::DeviceName)->text();
    values.port = field(Field::Port)->text();
    values.ipAddressField = field(Field::IpAddress)->text();
    values.destinationIp = field(Field::DestinationIp)->text();
    values.destinationPort = field(Field::DestinationPort)->text();
    values.gatewayIp = field(Field::GatewayIp)->text();
    values.netmask = field(Field::Netmask)->text();
    values.protocol = workingValue(List::Protocol);
    values.workMode = workingValue(List::WorkMode);
    values.rtsCts = workingValue(List::RtsCts);
    values.dtr = workingValue(List::Dtr);
    values.baudRate = workingValue(List::BaudRate);
    values.parity = workingValue(List::Parity);
    values.dataBits = workingValue(List::DataBits);
    return values;
}

DeviceParameters PropertySettingsDialog::valuesToSave() const {
    DeviceParameters saved = session_.parameters;
    const ParameterEdits shown = values();
    applyEdits(saved, shown);
    saved.ipAddress = shown.ipAddressField;
    return saved;
}

QString PropertySettingsDialog::problemMessage(const ValueProblem& problem) const {
    const QString& code = problem.code;
    switch (problem.fault) {
        case ValueFault::NameTooLong:
            return code == u"ON" ? tr("使用者不能超过8个字节!") : tr("设备名不能超过8个字节!");
        case ValueFault::PortOutOfRange:
            return code == u"PN" ? tr("端口号必须在1-65535之间!") : tr("目标端口必须在1-65535之间!");
        case ValueFault::UnusableOwnAddress: return userMessage(kUnusableIpAddressMessage);
        case ValueFault::NotDottedAddress:
        case ValueFault::NotAChoice: break;
    }
    if (code == u"DI") return tr("目标IP格式不对!");
    if (code == u"GI") return tr("网关IP格式不对!");
    if (code == u"NM") return tr("网络掩码格式不对!");
    return userMessage(kMalformedIpAddressMessage);
}

// Only the values the file gives change; the rest stays as shown.
void PropertySettingsDialog::applyProfile(const DeviceParameters& loaded, const QSet<int>& keysGiven) {
    const QSet<int> taken = takenFromProfile(loaded, keysGiven);
    for (const auto& [which, code] : kFieldCodes) {
        if (!taken.contains(tagOf(code))) continue;
        field(which)->setText(*loaded.valueByCode(QString::fromLatin1(code)));
        notRead_.give(tagOf(code));
    }
    // A list's choice gives its value.
    for (const auto& [which, code] : kListCodes) {
        if (taken.contains(tagOf(code))) list(which)->choose(*loaded.valueByCode(QString::fromLatin1(code)));
    }
    for (const char* code : kAdvancedCodes) {
        if (!taken.contains(tagOf(code))) continue;
        *session_.parameters.valueByCode(QString::fromLatin1(code)) = *loaded.valueByCode(QString::fromLatin1(code));
        notRead_.give(tagOf(code));
    }
}

// A value that would strand the device, or an address other listed
// devices hold, is refused before anything is sent, and the dialog stays
// open so the user can correct it. Values still marked not read are left
// out, and the user is told which.
void PropertySettingsDialog::write() {
    qCDebug(propertyLog) << "write to" << route_.address << route_.macAddress;
    const ParameterEdits edits = values();
    const QSet<int> leftOut = notRead_.tags();
    if (const std::optional<ValueProblem> problem = firstFieldProblem(edits, leftOut)) {
        notice(this, problemMessage(*problem));
        return;
    }
    const QStringList holders = leftOut.contains(kIpGetTag) ? QStringList() : addressHolders_(edits.ipAddressField);
    if (!holders.isEmpty()) {
        qCDebug(propertyLog) << "write refused, the address is held by" << holders;
        notice(this, addressTakenNotice(holders));
        return;
    }
    switch (writeParameters(environment_, route_, session_.parameters, edits, leftOut)) {
        case Delivery::Refused: notice(this, userMessage(kMalformedIpAddressMessage)); return;
        case Delivery::NotSent: break;
        case Delivery::Unicast:
        case Delivery::Broadcast:
            sent_ = sentByWrite(session_.parameters, leftOut.contains(kIpGetTag) ? QString() : edits.ipAddressField,
                                leftOut, route_);
            break;
    }
    if (!leftOut.isEmpty()) notice(this, userMessage(kLeftOutMessage) + notRead_.names());
    accept();
}

void PropertySettingsDialog::restoreFactory() {
    qCDebug(propertyLog) << "factory defaults for" << route_.address << route_.macAddress;
    const QString factoryAddress = addressAfterFactoryDefaults(route_);
    if (const QStringList holders = addressHolders_(factoryAddress); !holders.isEmpty())
        notice(this, factoryAddressTakenNotice(factoryAddress, holders));
    if (restoreFactoryDefaults(environment_, route_) != Delivery::NotSent) sent_ = sentByFactoryDefaults(route_);
    accept();
}

void PropertySettingsDialog::reject() {
    session_.clearOnCancel();
    QDialog::reject();
}

// An advanced value not read is given once OK there leaves it non-empty.
void PropertySettingsDialog::takeAdvancedValues() {
    for (const char* code : kAdvancedCodes) {
        if (!session_.parameters.valueByCode(QString::fromLatin1(code))->isEmpty()) notRead_.give(tagOf(code));
    }
}

void PropertySettingsDialog::openNetworkAdvanced() {
    NetworkAdvancedDialog dialog(session_.parameters, this);
    if (runModal(dialog) == QDialog::Accepted) takeAdvancedValues();
}

void PropertySettingsDialog::openSerialAdvanced() {
    SerialAdvancedDialog dialog(session_.parameters, this);
    if (runModal(dialog) == QDialog::Accepted) takeAdvancedValues();
}

// A file of a value nobody knows would later write it back empty.
void PropertySettingsDialog::save() {
    if (!notRead_.isEmpty()) {
        notice(this, userMessage(kNotReadNotSavedMessage) + notRead_.names());
        return;
    }
    saveDeviceProfileAs(this, valuesToSave());
}

void PropertySettingsDialog::load() {
    QSet<int> keysGiven;
    if (const std::optional<DeviceParameters> loaded = openDeviceProfile(this, &keysGiven))
        applyProfile(*loaded, keysGiven);
}

}  // namespace serverconf
