#pragma once
// Driving the settings dialogs as a user does: an open property dialog on a
// read parameter set, list entries picked with the keyboard, text committed
// the way an input method does, and scripted answers to the file dialogs.

#include "fake_network.h"
#include "settings_dialogs/file_choice.h"
#include "settings_dialogs/parameter_choice_box.h"
#include "settings_dialogs/property_settings_dialog.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace serverconf::testing {

// A parameter set as a read-out leaves it: client mode, TCP, 28800 bps, odd parity.
inline DeviceParameters readValues() {
    DeviceParameters parameters = factoryParameters();
    parameters.userName = QStringLiteral("使用者");
    parameters.deviceName = QStringLiteral("gate-1");
    parameters.macAddress = QStringLiteral("001122334455");
    parameters.ipAddress = QStringLiteral("192.168.1.30");
    parameters.protocol = QStringLiteral("1");
    parameters.workMode = QStringLiteral("2");
    parameters.baudRate = QStringLiteral("11");
    parameters.parity = QStringLiteral("2");
    return parameters;
}

class PropertyDialogTest : public ::testing::Test {
protected:
    // `notRead`: get tags the read-out did not bring.
    PropertySettingsDialog& open(const DeviceParameters& parameters = readValues(), const QList<int>& notRead = {}) {
        session = DeviceSession{parameters};
        dialog = std::make_unique<PropertySettingsDialog>(network, session, DeviceRoute::unicast(parameters.ipAddress),
                                                          notRead);
        dialog->show();
        return *dialog;
    }
    QLineEdit* field(PropertySettingsDialog::Field which) const { return dialog->field(which); }
    ParameterChoiceBox* list(PropertySettingsDialog::List which) const { return dialog->list(which); }

    FakeNetwork network;
    DeviceSession session;
    std::unique_ptr<PropertySettingsDialog> dialog;
};

// Moves the list's selection to the entry showing `text` with the arrow keys.
inline void pick(ParameterChoiceBox* list, const QString& text) {
    const int target = list->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    while (list->currentIndex() < target) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > target) QTest::keyClick(list, Qt::Key_Up);
}

// Types `text` one character at a time as an input method commits it.
inline void typeText(QWidget* field, const QString& text) {
    for (QChar character : text) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(character));
        QApplication::sendEvent(field, &commit);
    }
}

// Answers each file dialog with the next name (then cancels) and each
// replace question with `replace`, recording what was asked.
class FileDialogScript {
public:
    explicit FileDialogScript(QStringList names, bool replace = true) : names_(std::move(names)) {
        setFileChoiceHook([this](FileChoice kind, const QString& filter) {
            asked << QStringLiteral("%1 %2").arg(kind == FileChoice::Save ? "save" : "open", filter);
            return names_.isEmpty() ? QString() : names_.takeFirst();
        });
        setReplaceQuestionHook([this, replace](const QString& path) {
            asked << QStringLiteral("replace ") + path;
            return replace;
        });
    }
    ~FileDialogScript() {
        setFileChoiceHook({});
        setReplaceQuestionHook({});
    }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    QStringList asked;

private:
    QStringList names_;
};

}  // namespace serverconf::testing
