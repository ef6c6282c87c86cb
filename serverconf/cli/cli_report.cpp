#include "cli_report.h"

#include "cli_json.h"
#include "interface_listing.h"

#include "params/device_profile.h"

#include <QJsonDocument>

namespace serverconf {

CliReport::CliReport(const CliArguments& arguments, QTextStream& out, QTextStream& err)
    : out_(out),
      err_(err),
      json_(arguments.json),
      perDevice_(arguments.reportsPerDevice()),
      valuesAsText_(arguments.saveDirectory.isEmpty()),
      reportsResults_(arguments.command != CliArguments::Command::Search &&
                      arguments.command != CliArguments::Command::Locate &&
                      arguments.command != CliArguments::Command::Interfaces) {}

void CliReport::rows(const QList<DeviceEntry>& rows) {
    if (json_) {
        document_.insert("devices", deviceRowsJson(rows));
        return;
    }
    for (const DeviceEntry& row : rows) {
        out_ << (row.sameNetwork ? 1 : 0) << '\t' << row.macAddress << '\t' << row.userAndDeviceName << '\t'
             << row.deviceAddress;
        // Ordinary rows keep their four columns; a marked row gets a fifth.
        if (const QString marks = rowMarks(row); !marks.isEmpty()) out_ << '\t' << marks;
        out_ << '\n';
    }
    out_.flush();
}

void CliReport::interfaces(const QList<ListedInterface>& interfaces) {
    if (json_) {
        document_.insert("interfaces", interfacesJson(interfaces));
        return;
    }
    out_ << interfaceListing(interfaces);
    out_.flush();
}

// CODE=value lines in the order of a saved file; a value that did not
// arrive has no line.
void CliReport::valueLines(const DeviceParameters& values, const QStringList& missing, const QString& prefix) {
    for (const char* code : kProfileSaveOrder) {
        if (missing.contains(QLatin1StringView(code))) continue;
        out_ << prefix << code << '=' << *values.valueByCode(QString::fromLatin1(code)) << '\n';
    }
}

void CliReport::result(const DeviceResult& result) {
    if (json_) {
        results_.append(deviceResultJson(result));
        return;
    }
    if (!perDevice_) {
        if (result.values) valueLines(*result.values, result.missing, {});
        out_.flush();
        if (!result.ok) err_ << result.message << Qt::endl;
        return;
    }
    if (result.values && valuesAsText_) valueLines(*result.values, result.missing, result.ip + u'\t');
    out_ << result.ip << '\t' << (result.ok ? "ok" : "failed") << '\t' << result.message << Qt::endl;
}

void CliReport::assignment(const DeviceResult& result, bool planOnly) {
    if (json_) {
        results_.append(deviceResultJson(result));
        return;
    }
    out_ << result.mac << '\t' << result.ip << '\t' << result.newAddress;
    if (!planOnly) out_ << '\t' << (result.ok ? "ok" : "failed") << '\t' << result.message;
    out_ << Qt::endl;
}

void CliReport::failure(const QString& message) { err_ << message << Qt::endl; }

void CliReport::finish() {
    if (!json_) return;
    if (reportsResults_) document_.insert("results", results_);
    out_ << QString::fromUtf8(QJsonDocument(document_).toJson(QJsonDocument::Indented));
    out_.flush();
}

}  // namespace serverconf
