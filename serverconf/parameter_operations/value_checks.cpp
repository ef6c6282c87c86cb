#include "value_checks.h"

#include "channel/same_network.h"
#include "params/gbk_text.h"
#include "params/params_log.h"

#include <QStringList>

#include <array>

namespace serverconf {
namespace {

struct ListChoices {
    const char* code;
    int first;
    int last;
    int skipped;  // a code between first and last that the list lacks, or -1
};

// Work mode has no entry "1": server is "0", client "2".
constexpr std::array<ListChoices, 10> kLists{{
    {"TP", 0, 1, -1},
    {"RM", 0, 2, 1},
    {"CM", 0, 3, -1},
    {"CT", 0, 99, -1},
    {"FC", 0, 1, -1},
    {"DT", 0, 1, -1},
    {"RC", 0, 1, -1},
    {"BR", 0, 11, -1},
    {"PR", 0, 4, -1},
    {"BB", 0, 1, -1},
}};

const ListChoices* listOf(const QString& code) {
    for (const ListChoices& list : kLists) {
        if (code == QLatin1StringView(list.code)) return &list;
    }
    return nullptr;
}

// A plain decimal text ("05" and "+5" are not).
std::optional<int> plainNumber(const QString& value) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || QString::number(number) != value) return std::nullopt;
    return number;
}

// Addresses no device can be reached at: the unspecified address, the
// limited broadcast and multicast (224.0.0.0/4).
bool isUnusableOwnAddress(const QString& address) {
    if (address == u"0.0.0.0" || address == u"255.255.255.255") return true;
    const std::optional<int> first = plainNumber(address.section(u'.', 0, 0));
    return first && *first >= 224 && *first <= 239;
}

// The property dialog's fields in the order they are checked.
constexpr std::array<const char*, 8> kFieldCodes{"ON", "DN", "IP", "PN", "DI", "DP", "GI", "NM"};

}  // namespace

bool isListParameter(const QString& code) { return listOf(code) != nullptr; }

bool isListChoice(const QString& code, const QString& value) {
    const ListChoices* list = listOf(code);
    const std::optional<int> number = plainNumber(value);
    return list && number && *number >= list->first && *number <= list->last && *number != list->skipped;
}

std::optional<ValueFault> valueFault(const QString& code, const QString& value) {
    if (code == u"ON" || code == u"DN") {
        if (toGbk(value).size() > kNameByteLimit) return ValueFault::NameTooLong;
    } else if (code == u"PN" || code == u"DP") {
        const std::optional<int> port = plainNumber(value);
        if (!port || *port < 1 || *port > 65535) return ValueFault::PortOutOfRange;
    } else if (code == u"IP" || code == u"DI" || code == u"GI" || code == u"NM") {
        if (!isDottedAddress(value)) return ValueFault::NotDottedAddress;
        // Dotted is the same address with or without leading zeros.
        const QString plain = QStringLiteral("%1.%2.%3.%4")
                                  .arg(value.section(u'.', 0, 0).toInt())
                                  .arg(value.section(u'.', 1, 1).toInt())
                                  .arg(value.section(u'.', 2, 2).toInt())
                                  .arg(value.section(u'.', 3, 3).toInt());
        if (code == u"IP" && isUnusableOwnAddress(plain)) return ValueFault::UnusableOwnAddress;
    } else if (isListParameter(code) && !isListChoice(code, value)) {
        return ValueFault::NotAChoice;
    }
    return std::nullopt;
}

std::optional<ValueProblem> firstFieldProblem(const ParameterEdits& edits, const QSet<int>& leftOut) {
    for (const char* code : kFieldCodes) {
        const QString name = QString::fromLatin1(code);
        if (leftOut.contains(parameterByCode(name)->getTag)) continue;
        const QString& value = *editByCode(name, edits);
        if (const std::optional<ValueFault> fault = valueFault(name, value)) {
            qCDebug(lcParams) << "value refused:" << name << value;
            return ValueProblem{name, *fault};
        }
    }
    return std::nullopt;
}

}  // namespace serverconf
