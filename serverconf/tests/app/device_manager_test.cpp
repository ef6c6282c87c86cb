// The device manager window against simulated device servers: what the
// searches list, which device the buttons act on, what goes out on the wire
// (devicesim's log), and how the window closes.

#include "app/device_manager_dialog.h"
#include "app/window_images.h"
#include "device_window_support.h"
#include "devicesim_process.h"
#include "dialog_test_support.h"
#include "dialogs/about_dialog.h"
#include "dialogs/change_ip_dialog.h"
#include "dialogs/ip_address_edit.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/targeted_search_dialog.h"
#include "send_recording_environment.h"

#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::DeviceSimProcess;
using devicesim::LogRecord;
using devicesim::payloads;
using testing::ModalScript;
using testing::NoticeRecorder;

// This computer is 127.0.0.1 here: the first two devices are on its network, the third is not.
const QString gateAddress = QStringLiteral("127.0.0.5");
const QString doorAddress = QStringLiteral("127.0.0.6");
const QString remoteAddress = QStringLiteral("127.0.1.9");

class DeviceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(simulator.start(error)) << error.toStdString();
    }

    // Search without waiting on the list: the rows of every device, in any order.
    void searchAll() {
        window.search();
        ASSERT_EQ(window.devices().rowCount(), 3);
    }

    int rowOf(const QString& address) { return window.devices().findByAddress(address); }

    void selectRows(std::initializer_list<int> rows) { testing::selectRows(window, rows); }

    DeviceSimProcess simulator{{QStringLiteral("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1"),
                                QStringLiteral("addr=127.0.0.6,mac=001122334466,user=lab,name=door-2"),
                                QStringLiteral("addr=127.0.1.9,mac=001122334499")}};
    testing::SendRecordingEnvironment environment;
    DeviceSession session;
    DeviceManagerDialog window{environment, session};
};

TEST_F(DeviceManagerTest, StartupSearchListsTheDevicesWhileTheProgressWindowIsOpen) {
    NoticeRecorder notices;
    ModalScript script;
    int rowsWhenProgressClosed = -1;
    QString progressText;
    script.then<ProgressDialog>([&](ProgressDialog& progress) {
        progressText = progress.text();
        QObject::connect(&progress, &QDialog::finished, [&] { rowsWhenProgressClosed = window.devices().rowCount(); });
    });
    window.startupSearch();
    EXPECT_EQ(progressText, QStringLiteral("正在搜索设备，请等待!"));
    EXPECT_EQ(rowsWhenProgressClosed, 3);
    EXPECT_TRUE(notices.notices().empty());

    const int gate = rowOf(gateAddress);
    const int remote = rowOf(remoteAddress);
    ASSERT_GE(gate, 0);
    ASSERT_GE(remote, 0);
    EXPECT_EQ(window.devices().entry(gate).macAddress, QStringLiteral("001122334455"));
    EXPECT_EQ(window.devices().entry(gate).userAndDeviceName, QStringLiteral("ops/gate-1"));

    // What the view shows: headings, widths, texts and the indicator pictures.
    QAbstractItemModel* shown = window.deviceList()->model();
    const QStringList headings{QStringLiteral("状  态"), QStringLiteral("MAC地址"), QStringLiteral("使用者/设备名"),
                               QStringLiteral("设备IP")};
    const QList<int> widths{60, 100, 100, 100};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(shown->headerData(column, Qt::Horizontal).toString(), headings[column]);
        EXPECT_EQ(window.deviceList()->horizontalHeader()->sectionSize(column), widths[column]);
    }
    EXPECT_EQ(shown->index(gate, 3).data().toString(), gateAddress);
    EXPECT_TRUE(shown->index(gate, 0).data().toString().isEmpty());
    const auto imageKey = [&](int row) {
        return shown->index(row, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_EQ(imageKey(gate), statusImage(1).cacheKey());
    EXPECT_EQ(imageKey(remote), statusImage(0).cacheKey());
}

TEST_F(DeviceManagerTest, ARowWhoseAddressAnotherDeviceHoldsIsMarkedAndNotConfirmed) {
    DeviceListModel& list = window.devices();
    list.place(DeviceEntry{true, "00112233440B", "ops/west", "127.0.0.5", {}});
    list.place(DeviceEntry{true, "00112233440C", "ops/east", "127.0.0.5", {}});
    DeviceEntry probed{true, "00112233440D", "ops/far", "127.0.9.9", {}};
    probed.foundByUnicast = true;
    list.place(probed);
    QAbstractItemModel* shown = window.deviceList()->model();
    for (int row : {0, 1}) {
        EXPECT_EQ(shown->index(row, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey(), statusImage(2).cacheKey());
        EXPECT_EQ(shown->index(row, 2).data(Qt::ToolTipRole).toString(),
                  QStringLiteral("IP地址冲突: 另一台设备使用同一地址, 按MAC地址访问"));
    }
    EXPECT_EQ(shown->index(2, 0).data(Qt::DecorationRole).value<QIcon>().cacheKey(), statusImage(1).cacheKey());
    EXPECT_EQ(shown->index(2, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("单播搜索到的设备, 按IP地址访问"));

    selectRows({1});
    const QStringList sentBefore = environment.sends();
    NoticeRecorder notices;
    window.confirmButton()->click();
    EXPECT_EQ(notices.texts(), QStringList{QStringLiteral("IP地址冲突, 不能确认设备!")});
    EXPECT_EQ(environment.sends(), sentBefore) << "\"B\" would reach both devices at the address";
}

TEST_F(DeviceManagerTest, NoDeviceGivesTheMessageOnceAfterTheProgressWindowClosed) {
    simulator.stop();
    NoticeRecorder notices;
    ModalScript script;
    size_t noticesWhenProgressClosed = 99;
    script.then<ProgressDialog>([&](ProgressDialog& progress) {
        QObject::connect(&progress, &QDialog::finished, [&] { noticesWhenProgressClosed = notices.notices().size(); });
    });
    window.search();
    EXPECT_EQ(noticesWhenProgressClosed, 0u);
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(notices.notices()[0].text, QStringLiteral("没有搜索到设备"));
    EXPECT_EQ(window.devices().rowCount(), 0);
}

TEST_F(DeviceManagerTest, WithoutASelectedRowTheDeviceButtonsReportItAndSendNothing) {
    searchAll();
    selectRows({});
    const QStringList sentBefore = environment.sends();
    NoticeRecorder notices;
    ModalScript script;
    window.settingsButton()->click();
    window.confirmButton()->click();
    window.changeIpButton()->click();
    // A double-click on the list's empty part runs Settings too.
    QWidget* viewport = window.deviceList()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() / 2, viewport->height() - 5));
    EXPECT_EQ(notices.texts(), QStringList(4, QStringLiteral("没有选择设备!")));
    EXPECT_TRUE(script.opened().isEmpty());
    EXPECT_EQ(environment.sends(), sentBefore) << "a device button without a selected row sent something";
}

TEST_F(DeviceManagerTest, TwoSelectedRowsActOnTheUpperOne) {
    searchAll();
    const int upper = qMin(rowOf(gateAddress), rowOf(doorAddress));
    const int lower = qMax(rowOf(gateAddress), rowOf(doorAddress));
    const QString upperAddress = window.devices().entry(upper).deviceAddress;
    selectRows({lower, upper});
    EXPECT_EQ(window.selectedRow(), upper);

    const qsizetype mark = simulator.mark();
    window.confirmButton()->click();
    ASSERT_TRUE(simulator.waitForReceived(1, mark));
    const QList<LogRecord> confirm = simulator.received(mark);
    ASSERT_EQ(confirm.size(), 1);
    EXPECT_EQ(confirm[0].payload, QByteArray("B"));
    EXPECT_EQ(confirm[0].to, upperAddress);
    EXPECT_EQ(confirm[0].fromPort(), 3104);

    ModalScript script;
    QString preset;
    script.then<ChangeIpDialog>([&](ChangeIpDialog& dialog) {
        preset = dialog.addressField()->text();
        dialog.cancelButton()->click();
    });
    window.changeIp();
    EXPECT_EQ(preset, upperAddress);
}

TEST_F(DeviceManagerTest, ChangeIpSendsItsSeriesOnlyOnOkThenWaitsAndRefreshesTheList) {
    searchAll();
    selectRows({rowOf(doorAddress)});

    // Cancelled: nothing goes out and the list stays as it is.
    const QStringList sentBefore = environment.sends();
    {
        ModalScript script;
        script.then<ChangeIpDialog>([](ChangeIpDialog& dialog) {
            dialog.addressField()->setText(QStringLiteral("127.0.0.66"));
            dialog.cancelButton()->click();
        });
        window.changeIp();
        EXPECT_EQ(script.opened(), QStringList{QStringLiteral("serverconf::ChangeIpDialog")});
    }
    EXPECT_EQ(environment.sends(), sentBefore) << "a cancelled change of IP sent something";
    EXPECT_EQ(window.devices().rowCount(), 3);

    // OK: the series to the device, the update window, then the list refresh.
    const qsizetype mark = simulator.mark();
    QStringList sentBeforeUpdateWindow;
    QString updateText;
    ModalScript script;
    script.then<ChangeIpDialog>([](ChangeIpDialog& dialog) {
        dialog.addressField()->setText(QStringLiteral("127.0.0.60"));
        dialog.okButton()->click();
    });
    script.then<ProgressDialog>([&](ProgressDialog& progress) {
        updateText = progress.text();
        sentBeforeUpdateWindow = payloads(simulator.received(mark));
    });
    window.changeIp();
    EXPECT_EQ(updateText, QStringLiteral("正在更新设备，请等待!"));
    const QStringList series{QStringLiteral("X"), QStringLiteral("L"), QStringLiteral("SIP127.0.0.60|34"),
                             QStringLiteral("E|35")};
    EXPECT_EQ(sentBeforeUpdateWindow, series);

    ASSERT_TRUE(QTest::qWaitFor([&] { return window.devices().rowCount() == 3; }, 3000));
    EXPECT_GE(rowOf(QStringLiteral("127.0.0.60")), 0);
    EXPECT_LT(rowOf(doorAddress), 0);
    const QList<LogRecord> all = simulator.received(mark);
    ASSERT_GE(all.size(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(all[i].to, doorAddress);
        EXPECT_EQ(all[i].fromPort(), 3004);
    }
    EXPECT_EQ(all[4].payload, QByteArray("X"));
    EXPECT_TRUE(all[4].isBroadcast());
}

TEST_F(DeviceManagerTest, ChangeIpOntoAnAddressTheDeviceCannotTakeIsRefusedAndTheDialogStaysOpen) {
    searchAll();
    // Typed into the dialog and refused there: nothing is sent to them.
    const QString unusable = QStringLiteral("IP地址不能是0.0.0.0、255.255.255.255或组播地址!");  // the notice
    const struct {
        QString typed;
        QString notice;
    } cases[] = {
        {doorAddress, QStringLiteral("此IP地址已被其他设备使用: 001122334466")},
        {QStringLiteral("0.0.0.0"), unusable},
        {QStringLiteral("255.255.255.255"), unusable},  // refused: nothing is sent
        {QStringLiteral("224.0.0.1"), unusable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        selectRows({rowOf(gateAddress)});
        const QStringList sentBefore = environment.sends();
        NoticeRecorder notices;
        ModalScript script;
        bool openAfterRefusal = false;
        script.then<ChangeIpDialog>([&](ChangeIpDialog& dialog) {
            dialog.addressField()->setText(c.typed);
            dialog.okButton()->click();
            openAfterRefusal = dialog.isVisible();
            dialog.cancelButton()->click();
        });
        window.changeIp();
        EXPECT_EQ(notices.texts(), QStringList{c.notice});
        EXPECT_TRUE(openAfterRefusal) << "the dialog stays open for a correction";
        EXPECT_EQ(environment.sends(), sentBefore) << "nothing goes out";
    }
}

TEST_F(DeviceManagerTest, TargetedSearchListsExactlyTheDeviceAskedFor) {
    searchAll();
    ModalScript script;
    int rowsWhenAsked = -1;
    script.then<TargetedSearchDialog>([&](TargetedSearchDialog& dialog) {
        rowsWhenAsked = window.devices().rowCount();
        dialog.addressField()->setText(doorAddress);
        dialog.okButton()->click();
    });
    window.targetedSearchButton()->click();
    EXPECT_EQ(rowsWhenAsked, 0);
    ASSERT_EQ(window.devices().rowCount(), 1);
    EXPECT_EQ(window.devices().entry(0).deviceAddress, doorAddress);
    EXPECT_EQ(window.devices().entry(0).userAndDeviceName, QStringLiteral("lab/door-2"));

    // Cancelled: the list was emptied and stays empty; nothing is sent.
    const QStringList sentBefore = environment.sends();
    script.then<TargetedSearchDialog>([](TargetedSearchDialog& dialog) { dialog.cancelButton()->click(); });
    window.targetedSearch();
    EXPECT_EQ(window.devices().rowCount(), 0);
    EXPECT_EQ(environment.sends(), sentBefore) << "a cancelled targeted search sent something";
}

TEST_F(DeviceManagerTest, ARangeSearchProbesEachAddressByUnicastAndListsTheDevicesAscendingAndMarked) {
    const QStringList sentBefore = environment.sends();
    ModalScript script;
    script.then<TargetedSearchDialog>([&](TargetedSearchDialog& dialog) {
        dialog.addressField()->setText(QStringLiteral("127.0.0.4"));
        dialog.endAddressField()->setText(QStringLiteral("127.0.1.10"));
        dialog.okButton()->click();
    });
    script.then<ProgressDialog>([](ProgressDialog&) {});
    window.targetedSearchButton()->click();
    const QStringList sent = environment.sends().mid(sentBefore.size());
    EXPECT_EQ(sent.size(), 256 + 7) << "one probe per address from 127.0.0.4 to 127.0.1.10";
    EXPECT_TRUE(std::none_of(sent.cbegin(), sent.cend(), [](const QString& s) { return s.endsWith(u'*'); }))
        << "no broadcast in a range search";
    ASSERT_EQ(window.devices().rowCount(), 3);
    const QStringList ascending{gateAddress, doorAddress, remoteAddress};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(window.devices().entry(row).deviceAddress, ascending[row]);
        EXPECT_TRUE(window.devices().entry(row).foundByUnicast) << row;
    }

    NoticeRecorder notices;
    script.then<TargetedSearchDialog>([&](TargetedSearchDialog& dialog) {
        dialog.addressField()->setText(QStringLiteral("127.0.0.9"));
        dialog.endAddressField()->setText(QStringLiteral("127.0.0.8"));
        dialog.okButton()->click();
    });
    const QStringList sentBeforeRefusal = environment.sends();
    window.targetedSearchButton()->click();
    EXPECT_EQ(notices.texts(), QStringList{QStringLiteral("搜索范围不对: 起始IP不大于结束IP, 最多4096个地址!")});
    EXPECT_EQ(environment.sends(), sentBeforeRefusal) << "a range ending before it starts sends nothing";
}

TEST_F(DeviceManagerTest, EnterAndEscapeCloseTheWindowAfterTheStartupSearch) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        DeviceManagerDialog mainWindow(environment, session);
        ModalScript script;
        int rowsWhenShown = -1;
        script.then<DeviceManagerDialog>([&](DeviceManagerDialog& shown) {
            rowsWhenShown = shown.devices().rowCount();
            shown.deviceList()->setFocus();
            QTest::keyClick(shown.deviceList(), key);
        });
        mainWindow.run();
        EXPECT_FALSE(mainWindow.isVisible()) << key;
        EXPECT_EQ(rowsWhenShown, 3) << key;
        EXPECT_EQ(script.opened(), (QStringList{QStringLiteral("serverconf::ProgressDialog"),
                                                QStringLiteral("serverconf::DeviceManagerDialog")}));
    }
}

TEST_F(DeviceManagerTest, AboutEntryOpensTheAboutBoxAndLeavesTheListAlone) {
    searchAll();
    EXPECT_EQ(window.aboutAction()->text(), QStringLiteral("关于 serverconf(&A)..."));
    ModalScript script;
    script.then<AboutDialog>([](AboutDialog& about) { about.accept(); });
    window.aboutAction()->trigger();
    EXPECT_EQ(script.opened(), QStringList{QStringLiteral("serverconf::AboutDialog")});
    EXPECT_EQ(window.devices().rowCount(), 3);
}

}  // namespace
}  // namespace serverconf
