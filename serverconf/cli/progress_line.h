#pragma once
// One line of progress on a terminal while a command works on several
// devices: "n of m done", written over itself and wiped before any other
// output, so that it never stays among the results.

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

    // `done` of the `count` devices have nothing more to do.
    void showDone(int done, int count);
    void wipe();

private:
    QTextStream& err_;
    bool enabled_;
    qsizetype shownLength_ = 0;  // 0: nothing on the line
};

}  // namespace serverconf
