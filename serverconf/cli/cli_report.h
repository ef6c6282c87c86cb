#pragma once
// Where serverconf-cli's results go. Text: rows and values on standard
// output, a failure of a single device on standard error in the window's
// words; a command on several devices prints one line per device,
// "IP<TAB>ok|failed<TAB>message". JSON (--json): everything gathers into one
// document, written by finish(): "devices" (rows), "results" (one object per
// device) or "interfaces".

#include "cli_arguments.h"
#include "device_result.h"

#include "channel/network_interfaces.h"
#include "device/device_entry.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QTextStream>

namespace serverconf {

class CliReport {
public:
    CliReport(const CliArguments& arguments, QTextStream& out, QTextStream& err);

    bool isJson() const { return json_; }

    // Rows of the device list, one tab-separated line each:
    // image, MAC, user/device, IP.
    void rows(const QList<DeviceEntry>& rows);
    // One line per interface address: name, address/prefix, broadcast.
    void interfaces(const QList<ListedInterface>& interfaces);
    void result(const DeviceResult& result);
    // assign-ip, one line per device: "MAC<TAB>old<TAB>new", then
    // "<TAB>ok|failed<TAB>message" unless it is a plan only (--dry-run).
    void assignment(const DeviceResult& result, bool planOnly);
    // A failure that concerns no single device (no device answered the
    // search); on standard error in either form.
    void failure(const QString& message);
    // JSON: writes the document. Call once, at the end.
    void finish();

private:
    void valueLines(const DeviceParameters& values, const QStringList& missing, const QString& prefix);

    QTextStream& out_;
    QTextStream& err_;
    const bool json_;
    const bool perDevice_;
    const bool valuesAsText_;    // the values read go to standard output (not into files)
    const bool reportsResults_;  // a device command: the document always holds "results"
    QJsonObject document_;
    QJsonArray results_;
};

}  // namespace serverconf
