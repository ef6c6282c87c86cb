// serverconf-cli: the device operations of serverconf from the command line.

#include "cli_arguments.h"
#include "cli_report.h"
#include "cli_runner.h"

#include "channel/udp_environment.h"
#include "language/translations.h"
#include "messages/user_messages.h"
#include "params/gbk_text.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // Before the arguments are checked: their errors are worded in the run's language.
    serverconf::setUpLanguage(application.arguments(), serverconf::QtTexts::AsQtWritesThem);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    const std::optional<serverconf::CliArguments> arguments =
        serverconf::parseCliArguments(application.arguments().mid(1), error);
    if (!arguments) {
        err << "serverconf-cli: " << error << '\n' << serverconf::cliUsage();
        return serverconf::kUsageExitCode;
    }
    if (arguments->help) {
        out << serverconf::cliUsage();
        return 0;
    }
    // Without the codec every value would go out empty.
    if (!serverconf::gbkAvailable()) {
        err << "serverconf-cli: " << serverconf::userMessage(serverconf::kGbkMissingMessage) << '\n';
        return 1;
    }
    const serverconf::AddressSettings settings = serverconf::AddressSettings::fromEnvironment();
    QString unknownName;
    serverconf::chooseInterfaces(serverconf::UdpEnvironment(settings).interfaces(), arguments->interfaces, unknownName);
    if (!unknownName.isEmpty()) {
        err << "serverconf-cli: "
            << (settings.replacesInterfaces()
                    ? QCoreApplication::translate("CliMain",
                                                  "unknown interface %1 (SERVERCONF_BROADCAST or "
                                                  "SERVERCONF_LOCAL_ADDRESS replaces the interfaces)")
                    : QCoreApplication::translate("CliMain", "unknown interface %1 (see serverconf-cli interfaces)"))
                   .arg(unknownName)
            << '\n';
        return serverconf::kUsageExitCode;
    }
    serverconf::UdpEnvironment environment(settings, arguments->interfaces);
    if (arguments->command == serverconf::CliArguments::Command::Interfaces) {
        serverconf::CliReport report(*arguments, out, err);
        report.interfaces(environment.interfaces());
        report.finish();
        return 0;
    }
    serverconf::CliRunner runner(environment, out, err);
    return runner.run(*arguments);
}
