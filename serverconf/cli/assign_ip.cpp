// serverconf-cli assign-ip: boxed devices, all at one address, each given
// an address of its own. One search; the plan (planAddresses) probes the
// addresses it would give; then each device is named by "W"+MAC on its
// interface and sent its new address, and the refreshed list must show it
// there, as after change-ip.

#include "cli_runner.h"

#include "channel/channel_ports.h"
#include "discovery/address_assignment.h"
#include "discovery/device_commands.h"
#include "messages/user_messages.h"
#include "parameter_operations/device_reads.h"

namespace serverconf {

int CliRunner::assignIp(const CliArguments& arguments) {
    if (!searchAndWait()) return fail(tr("没有搜索到设备"));
    // An address that answers a probe is held by a device the search did
    // not list (one behind a router, say); this computer's own is held too.
    std::unique_ptr<CommandChannel> probeSocket = environment_.createChannel();
    probeSocket->open(kAnyLocalPort);
    const QStringList ownAddresses = environment_.localAddresses();
    const AddressPlan plan = planAddresses(
        list_.entries(), arguments.newAddress, arguments.deviceAddresses, arguments.interfaces,
        [&](const QString& address) { return ownAddresses.contains(address) || probeAnswers(*probeSocket, address); });
    probeSocket->close();
    const QString names = plan.names.join(QStringLiteral(", "));
    switch (plan.outcome) {
        case AddressPlan::Outcome::NotListed:
            return fail(tr("no device of these MAC addresses was found: %1 (nothing sent)").arg(names));
        case AddressPlan::Outcome::SeveralInterfaces:
            return fail(plan.names.first() + QStringLiteral(": ") + userMessage(kSeveralInterfacesMessage) +
                        plan.names.mid(1).join(QStringLiteral(", ")));
        case AddressPlan::Outcome::PastEnd:
            return fail(tr("the free addresses from %1 end at .254 before these devices get one: %2 (nothing sent)")
                            .arg(arguments.newAddress, names));
        case AddressPlan::Outcome::Planned: break;
    }
    if (plan.assignments.isEmpty()) {
        err_ << tr("no device shares its address with another or sits at the factory address: nothing to do")
             << Qt::endl;
        return 0;
    }

    QList<DeviceResult> results;
    QList<Sent> sent;
    for (const AddressAssignment& assignment : plan.assignments) {
        DeviceResult result;
        result.ip = assignment.row.deviceAddress;
        result.mac = assignment.row.macAddress;
        result.newAddress = assignment.newAddress;
        result.ok = true;
        if (arguments.dryRun) {
            result.message = tr("planned, nothing sent");
        } else if (const ChangeIpOutcome outcome =
                       changeIpAddress(environment_, assignment.row, assignment.newAddress, ChangeIpReach::ByMacName);
                   outcome == ChangeIpOutcome::Sent) {
            sent << Sent{results.size(), std::nullopt, assignment.newAddress};
            result.message = tr("new address %1 sent").arg(assignment.newAddress);
        } else {
            result.ok = false;
            result.message =
                userMessage(outcome == ChangeIpOutcome::Refused ? kMalformedIpAddressMessage : kCheckConnectionMessage);
        }
        results << result;
    }
    finishChange(results, sent);
    bool allOk = true;
    for (const DeviceResult& result : std::as_const(results)) {
        report_->assignment(result, arguments.dryRun);
        allOk = allOk && result.ok;
    }
    if (arguments.json && !sent.isEmpty()) report_->rows(list_.entries());
    return allOk ? 0 : 1;
}

}  // namespace serverconf
