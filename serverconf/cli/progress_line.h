#pragma once
// One line of progress on a terminal while a command works through several
// devices: "device n of m: IP", written over itself and wiped before any
// other output, so that it never stays among the results.

#include <QCoreApplication>
#include <QString>
#include <QTextStream>

namespace serverconf {

class ProgressLine {
    Q_DECLARE_TR_FUNCTIONS(ProgressLine)

public:
    // `enabled` false: shows nothing (one device, JSON output, or standard
    // error is no terminal).
    ProgressLine(QTextStream& err, bool enabled);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void show(int number, int count, const QString& address);
    void wipe();

private:
    QTextStream& err_;
    bool enabled_;
    qsizetype shownLength_ = 0;  // 0: nothing on the line
};

}  // namespace serverconf
